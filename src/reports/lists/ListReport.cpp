#include "ListReport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "CalendarMonth.h"
#include "Ports.h"
#include "RTFDocument.h"
#include "RTFElements.h"
#include "StringIds.h"
#include "StringTable.h"

using rpt::ReportDevice;

KOR_IMPLEMENT_DYNCREATE(COrvListReportObject, 1)

int COrvListReportObject::Compare(const CPersistentObject*) const { return -1; }

int COrvListReportObject::PrintRow(CListReport&, ReportDevice*, CPrintInfo*, CRTFDocument*, bool) {
  return 0;
}

// ---------------------------------------------------------------- lines

namespace {
int Measure(ReportDevice* dc, std::string_view text, rpt::Size& size) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  size = dc != nullptr ? dc->GetTextExtent(text) : rpt::Size{};
  return size.cx;
}
}  // namespace

std::string CLineBreaker::GetFirstLine(ReportDevice* dc, int width, bool& more, rpt::Size& size) {
  pos_ = 0;
  return GetNextLine(dc, width, more, size);
}

std::string CLineBreaker::GetNextLine(ReportDevice* dc, int width, bool& more, rpt::Size& size) {
  more = false;
  size = {};
  if (pos_ >= text_.size()) return {};
  std::size_t lastFit = 0;  // length of the longest piece ending in a blank that fits
  rpt::Size lastFitSize;
  std::size_t taken = text_.size() - pos_;
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    const char c = text_[i];
    if (c == '\n') {
      const std::size_t len = i - pos_ + 1;
      if (Measure(dc, std::string_view(text_).substr(pos_, len), size) > width && lastFit > 0) {
        taken = lastFit;
        size = lastFitSize;
      } else {
        taken = len;
      }
      more = true;
      break;
    }
    if (c == ' ') {
      const std::size_t len = i - pos_ + 1;
      rpt::Size s;
      if (Measure(dc, std::string_view(text_).substr(pos_, len), s) > width) {
        more = true;
        // A first word wider than the width still makes a line, so that
        // the text always moves on.
        taken = lastFit > 0 ? lastFit : len;
        size = lastFit > 0 ? lastFitSize : s;
        break;
      }
      lastFit = len;
      lastFitSize = s;
    }
  }
  if (!more) {
    // The end of the text: the rest, unless it runs past the width after a
    // blank that fitted.
    if (Measure(dc, std::string_view(text_).substr(pos_), size) > width && lastFit > 0 &&
        lastFit < taken) {
      taken = lastFit;
      size = lastFitSize;
      more = true;
    }
  }
  std::string line = text_.substr(pos_, taken);
  pos_ += taken;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.empty() && more) line = " ";
  return line;
}

// ---------------------------------------------------------------- report

CListReport::CListReport(int kind) : kind_(kind) {
  GetDocument().AddFont("Arial");
  CreateFonts();
}

CListReport::~CListReport() = default;

void CListReport::CreateFonts() {
  fonts_.clear();
  fonts_.push_back(rpt::LogFont{140, 400, false, false, "Arial"});
  fonts_.push_back(rpt::LogFont{140, 700, false, false, "Arial"});
  fonts_.push_back(rpt::LogFont{167, 700, false, false, "Arial"});
}

void CListReport::SetPaper(int width, int height, bool portrait) {
  paperWidth_ = width;
  paperHeight_ = height;
  portrait_ = portrait;
}

void CListReport::SetUpDC(ReportDevice* dc) {
  if (dc != nullptr) {
    dc->SetMapMode(rpt::MM_HIENGLISH);
    dc->SelectFont(fonts_[0]);
  }
  const int w =
      portrait_ ? std::min(paperWidth_, paperHeight_) : std::max(paperWidth_, paperHeight_);
  const int h =
      portrait_ ? std::max(paperWidth_, paperHeight_) : std::min(paperWidth_, paperHeight_);
  rect_ = rpt::Rect{0, 0, w, -h};
}

void CListReport::PreparePageRect(ReportDevice* dc) {
  SetUpDC(dc);
  rect_.left += margins_.left;
  rect_.right -= margins_.right;
  rect_.top -= margins_.top;
  rect_.bottom += margins_.bottom;
  if (dc != nullptr) {
    const rpt::Point offset{dc->GetDeviceCaps(rpt::PHYSICALOFFSETX),
                            dc->GetDeviceCaps(rpt::PHYSICALOFFSETY)};
    const rpt::Point origin = dc->DPtoLP(rpt::Point{0, 0});
    const rpt::Point shifted = dc->DPtoLP(offset);
    const int dx = shifted.x - origin.x;
    const int dy = shifted.y - origin.y;  // negative: y grows upwards
    rect_.left -= dx;
    rect_.right -= dx;
    rect_.top -= dy;
    rect_.bottom -= dy;
  }
  y_ = rect_.top;
}

int CListReport::Paginate(ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress) {
  const int twipsWidth =
      (portrait_ ? std::min(paperWidth_, paperHeight_) : std::max(paperWidth_, paperHeight_)) *
      1440 / 1000;
  const int twipsHeight =
      (portrait_ ? std::max(paperWidth_, paperHeight_) : std::min(paperWidth_, paperHeight_)) *
      1440 / 1000;
  GetDocument().SetPaperSize(twipsWidth, twipsHeight);
  SetPaperSize(twipsWidth, twipsHeight);
  SetUpDC(dc);
  PreparePageRect(dc);
  GetDocument().SetMargins(margins_.left * 1440 / 1000, margins_.top * 1440 / 1000,
                           margins_.right * 1440 / 1000, margins_.bottom * 1440 / 1000);
  CreateFonts();
  currentRowPosition_ = 0;
  columns_.clear();
  BuildColumns();
  if (paginated_) {
    if (info != nullptr) info->maxPage = pageCount_;
    return pageCount_ > 0 ? 1 : 0;
  }
  int count = 0;
  if (progress != nullptr) {
    progress->Begin(res::LoadString(GetTitleId()), 0);
    bool cancelled = false;
    count = WalkRecords(dc, info, progress, &cancelled);
    if (cancelled) count = 0;
    progress->End();
  }
  if (info != nullptr) info->maxPage = count;
  pageCount_ = count;
  paginated_ = count > 0;
  return count > 0 ? 1 : 0;
}

std::int64_t CListReport::PageStart(int page) const {
  const auto it = pageMap_.find(page);
  return it == pageMap_.end() ? -1 : it->second;
}

int CListReport::WalkRecords(ReportDevice*, CPrintInfo*, plat::ProgressPort*, bool*) { return 0; }

std::unique_ptr<COrvListReportObject> CListReport::AsRow(std::unique_ptr<CPersistentObject> o) {
  auto* row = dynamic_cast<COrvListReportObject*>(o.get());
  if (row == nullptr) return nullptr;
  o.release();
  return std::unique_ptr<COrvListReportObject>(row);
}

std::unique_ptr<COrvListReportObject> CListReport::FirstRow(std::int64_t position) {
  currentRowPosition_ = position < 0 ? 0 : position;
  return AsRow(rows_.ReadAt(position));
}

std::unique_ptr<COrvListReportObject> CListReport::NextRow() {
  currentRowPosition_ = rows_.GetPosition();
  return AsRow(rows_.ReadNext());
}

void CListReport::BreakPage(ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                            int* pageCount) {
  if (progress != nullptr) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, res::LoadString(res::kIdsPages).c_str(), *pageCount);
    progress->SetText(buffer);
  }
  PreparePageRect(dc);
  PrintPageHeader(dc, info, true);
  OnPageStart();
  ++*pageCount;
  pageMap_[*pageCount] = currentRowPosition_;
}

void CListReport::AddRow(ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                         int* pageCount, std::unique_ptr<COrvListReportObject> row) {
  if (!row) return;
  if (rows_.ObjectsWritten() > 0) {
    currentRowPosition_ = rows_.GetPosition();
  } else {
    rows_.Write(nullptr);
    currentRowPosition_ = rows_.GetPosition();
    pageMap_[1] = currentRowPosition_;
    PrintPageHeader(dc, info, true);
    OnPageStart();
    *pageCount = 1;
  }
  rows_.Write(row.get());
  if (row->PrintRow(*this, dc, info, nullptr, true) != 0) {
    BreakPage(dc, info, progress, pageCount);
    row->PrintRow(*this, dc, info, nullptr, true);
  }
}

void CListReport::BeginPrinting(ReportDevice*, CPrintInfo*) {
  // The first page starts at the first row.
  currentRowPosition_ = pageMap_.count(1) != 0 ? pageMap_[1] : 0;
}

int CListReport::PrintPage(CReportJob& job, CPrintInfo* info) {
  PrintPageOn(job.DC(), info);
  return 1;
}

void CListReport::PrintPageOn(ReportDevice* dc, CPrintInfo* info) {
  if (info == nullptr) return;
  PreparePageRect(dc);
  PrintPageHeader(dc, info, false);
  OnPageStart();
  const auto start = pageMap_.find(info->currentPage);
  if (start == pageMap_.end()) return;
  const auto next = pageMap_.find(info->currentPage + 1);
  // The last page has no next entry and runs to the end of the rows.
  const auto end = next == pageMap_.end() ? std::numeric_limits<std::uint64_t>::max()
                                          : static_cast<std::uint64_t>(next->second);
  CRTFDocument* document = RTFDocument();
  for (auto row = FirstRow(start->second);
       row && static_cast<std::uint64_t>(currentRowPosition_) < end; row = NextRow())
    row->PrintRow(*this, dc, info, document, false);
}

void CListReport::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (IsRTFMode() && !GetOutputFileName().empty()) SaveAndOpenRTF(dc, info);
}

// ---------------------------------------------------------------- cells

void CListReport::SelectFont(ReportDevice* dc, int font) {
  fontIndex_ = font;
  if (dc != nullptr) dc->SelectFont(fonts_.at(static_cast<std::size_t>(font)));
}

void CListReport::StartRow(int y) {
  for (CReportColumn& c : columns_) {
    c.bottom = y;
    c.x = c.left;
  }
}

void CListReport::WriteCellText(ReportDevice* dc, int column, const std::string& text,
                                bool measuring, bool newLineAfter) {
  if (column < 0 || column >= ColumnCount()) return;
  CReportColumn& col = columns_[static_cast<std::size_t>(column)];
  CLineBreaker lines(text);
  bool more = false;
  rpt::Size size;
  bool wrote = false;
  std::string line = lines.GetFirstLine(dc, col.right - col.x, more, size);
  while (!line.empty()) {
    wrote = true;
    const rpt::Rect box{col.x, col.bottom, col.right, col.bottom - kLineHeight};
    if (!measuring && !IsRTFMode() && dc != nullptr) {
      const unsigned align = col.alignment == 1   ? rpt::DT_CENTER
                             : col.alignment == 2 ? rpt::DT_RIGHT
                                                  : rpt::DT_LEFT;
      dc->DrawText(line, box, align | rpt::DT_SINGLELINE | rpt::DT_NOPREFIX);
    } else if (IsRTFMode() && !measuring) {
      const rpt::LogFont& f = fonts_.at(static_cast<std::size_t>(fontIndex_));
      int half = std::abs(f.height * 7200 / 50000);
      if (std::abs(f.height * 7200 / 50) % 1000 > 500) ++half;
      int face = GetDocument().FindFont(f.face);
      if (face < 0) {
        GetDocument().AddFont(f.face);
        face = GetDocument().FontCount() - 1;
      }
      const int left = col.left * 1440 / 1000;
      const int right = col.right * 1440 / 1000;
      PendingCell cell;
      cell.alignment = col.alignment;
      cell.x = col.alignment == 0 ? left : col.alignment == 1 ? left + (right - left) / 2 : right;
      cell.text = line;
      cell.font = face;
      cell.halfPoints = half;
      cell.bold = f.weight >= 700;
      cell.italic = f.italic;
      cell.underline = f.underline;
      pending_.push_back(std::move(cell));
    }
    if (more) {
      col.x = col.left;
      col.bottom -= kLineHeight;
    } else {
      col.x += size.cx;
    }
    line = lines.GetNextLine(dc, col.right - col.x, more, size);
  }
  if (newLineAfter) {
    col.x = col.left;
    if (wrote) col.bottom -= kLineHeight;
  }
}

int CListReport::GetRowBottom() const {
  int bottom = 0;
  for (const CReportColumn& c : columns_) bottom = std::min(bottom, c.bottom);
  return bottom;
}

bool CListReport::IsBelowPage(int y) const { return (y == 0 ? y_ : y) < rect_.bottom; }

void CListReport::WriteRTFRow(ReportDevice*, CRTFObject* container, int y, int heading) {
  y_ = y;
  if (!IsRTFMode() || container == nullptr) {
    pending_.clear();
    return;
  }
  if (!pending_.empty()) {
    const int origin = std::min(pending_.front().x, margins_.left * 1440 / 1000);
    std::string stops;
    for (const PendingCell& cell : pending_) {
      if (cell.x != origin) {
        static const char kAlign[] = {'l', 'c', 'r'};
        stops += std::to_string(cell.x - origin) + "|" + kAlign[std::clamp(cell.alignment, 0, 2)];
      }
      stops += ' ';
    }
    while (!stops.empty() && stops.back() == ' ') stops.pop_back();
    if (!stops.empty() && stops != lastTabStops_) {
      container->AddChild(std::make_unique<CRTFTabSet>(stops));
      lastTabStops_ = stops;
    }
    for (std::size_t i = 0; i < pending_.size(); ++i) {
      const bool last = i + 1 == pending_.size();
      if (heading == 1 && last && header_)
        header_->AddChild(std::make_unique<CRTFCode>(CReportGenerator::kHeaderRuleCode));
      const PendingCell& cell = pending_[i];
      std::string text = cell.text;
      if (cell.x > origin) text.insert(text.begin(), '\t');
      if (last) text += '\r';
      auto element =
          std::make_unique<CRTFText>(text, cell.font, cell.halfPoints, cell.bold, cell.italic,
                                     cell.underline, CRTFText::kNone, false);
      element->SetRaw(cell.raw);
      container->AddChild(std::move(element));
    }
  }
  pending_.clear();
}

void CListReport::DoubleRule(ReportDevice* dc, bool measuring) {
  if (!measuring && !IsRTFMode() && dc != nullptr) {
    dc->SelectPen(rpt::LogPen{rpt::PS_SOLID, 2, 0});
    dc->MoveTo(rect_.left, y_);
    dc->LineTo(rect_.right, y_);
    dc->MoveTo(rect_.left, y_ + 10);
    dc->LineTo(rect_.right, y_ + 10);
  }
  y_ -= 50;
}

void CListReport::Rule(ReportDevice* dc, bool measuring) {
  if (!measuring && !IsRTFMode() && dc != nullptr) {
    dc->SelectPen(rpt::LogPen{rpt::PS_SOLID, 10, 0});
    dc->MoveTo(rect_.left, y_);
    dc->LineTo(rect_.right, y_);
  }
  y_ -= 50;
}

void CListReport::ThickRule(ReportDevice* dc, bool measuring) {
  if (!measuring && !IsRTFMode() && dc != nullptr) {
    dc->SelectPen(rpt::LogPen{rpt::PS_SOLID, 40, 0});
    dc->MoveTo(rect_.left, y_);
    dc->LineTo(rect_.right, y_);
  }
  y_ -= 100;
}

// ---------------------------------------------------------------- header

void CListReport::WriteHeaderCell(ReportDevice* dc, CPrintInfo* info, CReportColumn& column,
                                  const std::string& text, bool measuring, int heading, bool raw) {
  const bool rtf = IsRTFMode();
  const bool firstPage = info == nullptr || info->currentPage == 1;
  // RTF writes the header once, on page 1; printing on every page.
  if (rtf && !firstPage) return;
  std::vector<CReportColumn> saved;
  saved.swap(columns_);
  columns_.push_back(column);
  WriteCellText(dc, 0, text, measuring, true);
  if (raw && !pending_.empty()) pending_.back().raw = true;
  column = columns_[0];
  columns_.swap(saved);
  const int keepY = y_;
  WriteRTFRow(dc, header_.get(), y_, heading);
  y_ = keepY;
}

void CListReport::PrintPageHeader(ReportDevice* dc, CPrintInfo* info, bool measuring) {
  const std::string title = res::LoadString(GetTitleId());
  std::string today;
  FormatToday(today);
  const bool rtf = IsRTFMode() && !measuring;
  const bool firstPage = info == nullptr || info->currentPage == 1;
  if (rtf && firstPage && !header_) header_ = std::make_unique<CRTFHeader>();

  SelectFont(dc, 2);
  CReportColumn centre{{}, rect_.left, rect_.right, 1, rect_.left, 0};
  WriteHeaderCell(dc, info, centre, title, measuring || (IsRTFMode() && !rtf), 0, false);
  WriteHeaderCell(dc, info, centre, " ", measuring || (IsRTFMode() && !rtf), 0, false);

  SelectFont(dc, 0);
  CReportColumn left{{}, rect_.left, rect_.right, 0, rect_.left, 0};
  CReportColumn right{{}, rect_.left, rect_.right, 2, rect_.left, 0};
  const std::string page = res::LoadString(res::kIdsPage);
  std::string pageText;
  if (rtf) {
    pageText = page + " \\chpgn";
  } else {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %d of %d", page.c_str(),
                  info != nullptr ? info->currentPage : 1, info != nullptr ? info->maxPage : 1);
    pageText = buffer;
  }
  if (rtf && firstPage) {
    // Date and page number share one header line.
    std::vector<CReportColumn> saved;
    saved.swap(columns_);
    columns_.push_back(left);
    columns_.push_back(right);
    WriteCellText(dc, 0, today, false, true);
    WriteCellText(dc, 1, pageText, false, true);
    if (!pending_.empty()) pending_.back().raw = true;
    columns_.swap(saved);
    const int keepY = y_;
    WriteRTFRow(dc, header_.get(), y_, 1);
    y_ = keepY;
  } else if (!IsRTFMode()) {
    WriteHeaderCell(dc, info, left, today, measuring, 1, false);
    WriteHeaderCell(dc, info, right, pageText, measuring, 1, false);
  }
  DoubleRule(dc, measuring);
  if (rtf && firstPage && header_ && !headerAdded_) {
    GetDocument().AddElement(std::move(header_));
    headerAdded_ = true;
  }
}

// ---------------------------------------------------------------- sorted

void CSortedListReport::AddSortedRow(std::unique_ptr<COrvListReportObject> row) {
  if (!row) return;
  sorter_.Add(std::move(row));
  ++added_;
}

int CSortedListReport::SortedWalk(ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                                  int position) {
  if (added_ == 0) return 0;
  // The merge and the paging share the second half of the range.
  const int half = position / 2;
  if (sorter_.Sort(progress, position, half) == 0) return 0;
  int pageCount = 1;
  auto row = FirstRow(-1);
  pageMap_[1] = currentRowPosition_;
  PrintPageHeader(dc, info, true);
  OnPageStart();
  int done = 0;
  for (; row; row = NextRow()) {
    if (row->PrintRow(*this, dc, info, nullptr, true) != 0) {
      BreakPage(dc, info, progress, &pageCount);
      row->PrintRow(*this, dc, info, nullptr, true);
    }
    if (progress != nullptr) {
      ++done;
      progress->SetPosition(
          position + half +
          static_cast<int>(static_cast<long long>(done) * (position - half) / added_));
      if (progress->CancelRequested()) return 0;
    }
  }
  return pageCount;
}

std::unique_ptr<COrvListReportObject> CSortedListReport::FirstRow(std::int64_t position) {
  auto row = AsRow(sorter_.ReadAt(position));
  currentRowPosition_ = position < 0 ? 0 : position;
  return row;
}

std::unique_ptr<COrvListReportObject> CSortedListReport::NextRow() {
  currentRowPosition_ = sorter_.GetPosition();
  return AsRow(sorter_.GetNext());
}
