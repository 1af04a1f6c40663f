#include "ScrapbookGenerator.h"

#include <algorithm>

#include "ChartBox.h"
#include "CompactPath.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SummaryText.h"

namespace rpt {

namespace {

constexpr int kPhotoFitCentred = 3;

// text with its "%d" replaced by n.
std::string WithNumber(std::string text, int n) {
  const std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(n));
  return text;
}

// The person's scrapbook pictures in chain order (pointers into chain).
std::vector<const CMultimediaItem*> ScrapbookPictures(const CMultimediaItem* chain) {
  std::vector<const CMultimediaItem*> out;
  for (const CMultimediaItem* item = chain; item != nullptr; item = item->next.get())
    if (IsScrapbookPicture(*item)) out.push_back(item);
  return out;
}

CMultimediaList LoadChain(std::int32_t rin) {
  if (CurrentDatabase == nullptr) return nullptr;
  const std::int32_t head = DbGetMultimediaHead(rin, db::kIndividual);
  if (head <= 0) return nullptr;
  return CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
}

}  // namespace

int CScrapbookGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (info == nullptr) return 0;
  return PrintScrapbookPage(job.DC(), info->currentPage);
}

void CScrapbookGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (CurrentReportRunState().printState != 4) CleanupScrapbookPages();
  FinishRTFDocument(dc, info);
}

void CScrapbookGenerator::BeginScrapbook(ReportDevice* dc) {
  titleFont_ = ScrapbookFont(options_.titleFont);
  captionFont_ = ScrapbookFont(options_.captionFont);
  fileNameFont_ = ScrapbookFont(options_.fileNameFont);
  descriptionFont_ = ScrapbookFont(options_.descriptionFont);
  pageFont_ = LogFont{-105, 500, false, false, res::LoadString(res::kIdsArial)};
  captionLine_ = ScrapbookLineHeight(captionFont_);
  fileNameLine_ = ScrapbookLineHeight(fileNameFont_);
  descriptionLine_ = ScrapbookLineHeight(descriptionFont_);
  pageCount_ = ScrapbookEntryCount();
  if (dc == nullptr) return;

  // The margins and the grid are in thousandths of an inch, as the pages are.
  dc->SetMapMode(MM_HIENGLISH);
  SetPageMargins(dc, {options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM});
  PrintableArea area;
  GetPrintableMargins(*dc, options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM, area,
                      false);
  Grid g;
  g.left = area.left + 4;
  g.right = area.left + area.width - 4;
  g.pageTop = -area.top;
  titled_ = options_.useName || !options_.titlePrefix.empty() || !options_.titleSuffix.empty();
  if (titled_) g.titleBand = pageCount_ > 1 ? -titleFont_.height : -titleFont_.height * 3 / 2;
  g.top = g.pageTop - g.titleBand - (pageCount_ > 1 ? 200 : 0);
  g.bottom = -area.top - area.height + 8;
  const int across = options_.across, down = options_.down;
  g.cellWidth = (g.right - g.left - across * kCellGap + kCellGap) / across;
  g.cellHeight = (down * kCellGap + (g.bottom - g.top) - kCellGap) / down;
  grid_ = g;
}

Rect CScrapbookGenerator::CellInner(int column, int row) const {
  Rect cell{grid_.left + column * (grid_.cellWidth + kCellGap),
            grid_.top + row * (grid_.cellHeight - kCellGap), 0, 0};
  cell.right = cell.left + grid_.cellWidth;
  cell.bottom = cell.top + grid_.cellHeight;
  if (!options_.box) return cell;
  // What the chart box leaves inside its frame.
  const int inset = options_.boxCorner == kRoundCorners    ? 20
                    : options_.boxCorner == kSquareCorners ? 50
                                                           : 0;
  const int doubled = options_.boxLine == 2 ? 20 : 0;
  const int corner =
      options_.boxCorner == kSquareCorners ? 0 : ChartCornerSize(cell.top - cell.bottom, false);
  return {cell.left + inset + doubled + corner, cell.top - inset - doubled,
          cell.right - inset - doubled - corner, cell.bottom + inset + doubled};
}

void CScrapbookGenerator::Text(ReportDevice* dc, const LogFont& font, int x, int y,
                               const std::string& text) {
  if (text.empty()) return;
  dc->SelectFont(font);
  TextOutString(dc, x, y, text);
}

void CScrapbookGenerator::DrawTitle(ReportDevice* dc, std::int32_t rin) {
  std::string prefix = options_.titlePrefix, suffix = options_.titleSuffix;
  if (!prefix.empty() && prefix.back() != ' ') prefix += ' ';
  if (!suffix.empty() && suffix.front() != ' ') suffix.insert(suffix.begin(), ' ');
  dc->SelectFont(titleFont_);
  std::string name;
  CIndividualRecord record;
  if (options_.useName && family::Read(record, rin) == 1) {
    const int room =
        grid_.right - grid_.left - dc->GetTextExtent(prefix).cx - dc->GetTextExtent(suffix).cx;
    const int suffixKind =
        options_.suppressRin ? 0 : plat::Profile().GetInt("Options", "AppendVal", 0);
    CIndividualNode* node = CIndividualNode::New(record, 0, suffixKind, 0, nullptr);
    node->AddRef();
    DeviceTextMeasure measure(dc);
    name =
        node->FormatName(suffixKind, CIndividualNode::kMaxNameChars, std::max(room, 0), &measure);
    node->Release();
  }
  Text(dc, titleFont_, grid_.left, grid_.pageTop, prefix + name + suffix);
}

void CScrapbookGenerator::EnsureLayout(ReportDevice* dc, int entryIndex, CScrapbookEntry& entry,
                                       const std::vector<const CMultimediaItem*>& pictures) {
  if (entry.computed != 0) return;
  const Rect inner = CellInner(0, 0);
  ScrapbookCellMetrics cell;
  cell.innerWidth = inner.right - inner.left;
  cell.innerHeight = inner.top - inner.bottom;
  cell.captionLineHeight = captionLine_;
  cell.fileNameLineHeight = fileNameLine_;
  cell.descriptionLineHeight = descriptionLine_;
  ScrapbookTextNeeds needs;
  const LogFont previous = dc->SelectFont(captionFont_);
  for (const CMultimediaItem* item : pictures) {
    if (!item->caption.empty()) {
      needs.anyCaption = true;
      dc->SelectFont(captionFont_);
      needs.captionLines = std::max(
          needs.captionLines,
          static_cast<int>(FitScrapbookLines(item->caption, *dc, cell.innerWidth, 255).size()));
    }
    if (!item->description.empty()) {
      needs.anyDescription = true;
      dc->SelectFont(descriptionFont_);
      needs.descriptionLines = std::max(
          needs.descriptionLines,
          static_cast<int>(FitScrapbookLines(item->description, *dc, cell.innerWidth, 255).size()));
    }
  }
  dc->SelectFont(previous);
  ComputeScrapbookLayout(entry, options_, cell, needs);
  WriteScrapbookEntry(entryIndex, entry);
}

void CScrapbookGenerator::DrawCell(ReportDevice* dc, int column, int row,
                                   const CScrapbookEntry& layout, const CMultimediaItem& item) {
  if (options_.box) {
    ChartBox box;
    box.rect = {grid_.left + column * (grid_.cellWidth + kCellGap),
                grid_.top + row * (grid_.cellHeight - kCellGap), 0, 0};
    box.rect.right = box.rect.left + grid_.cellWidth;
    box.rect.bottom = box.rect.top + grid_.cellHeight;
    box.corners = options_.boxCorner;
    box.lineStyle = options_.boxLine;
    box.shadow = options_.boxShadow;
    box.fill = options_.boxShade;
    box.pen = {PS_SOLID, 10, 0};
    box.brush = {options_.shadeColor, false};
    box.shadowBrush = {options_.shadowColor, false};
    DrawChartBox(*dc, box, this);
  }
  const Rect inner = CellInner(column, row);
  const int width = inner.right - inner.left;
  int y = inner.top;
  const bool captions = options_.caption && layout.captionLines != 0;

  auto drawCaption = [&] {
    if (!captions) return;
    dc->SelectFont(captionFont_);
    int lineY = y;
    for (const std::string& line :
         FitScrapbookLines(item.caption, *dc, width, layout.captionLines)) {
      Text(dc, captionFont_, inner.left + (width - dc->GetTextExtent(line).cx) / 2, lineY, line);
      lineY -= captionLine_;
    }
    y -= layout.captionLines * captionLine_ + 50;
  };
  auto drawPicture = [&] {
    if (layout.photoHeight == 0) return;
    const int left = inner.left + (width - layout.photoWidth) / 2;
    Rect rect{left, y, left + layout.photoWidth, y - layout.photoHeight};
    DrawPictureEx(layout.rin, dc, &rect, 0, kPhotoFitCentred, &item, db::kIndividual);
    y -= layout.photoHeight + 50;
  };
  if (options_.captionAbove) {
    drawCaption();
    drawPicture();
  } else {
    drawPicture();
    drawCaption();
  }
  if (options_.fileName && layout.fileName != 0) {
    dc->SelectFont(fileNameFont_);
    const DeviceTextMeasure measure(dc);
    const std::string path = CompactPathToWidth(item.GetFileName(), measure, width);
    Text(dc, fileNameFont_, inner.left + (width - dc->GetTextExtent(path).cx) / 2, y, path);
    y -= fileNameLine_ + 50;
  }
  if (options_.description && layout.descriptionLines != 0) {
    dc->SelectFont(descriptionFont_);
    for (const std::string& line :
         FitScrapbookLines(item.description, *dc, width, layout.descriptionLines)) {
      dc->SelectFont(descriptionFont_);
      TabbedTextOutString(dc, inner.left, y, line, 0, nullptr, inner.left);
      y -= descriptionLine_;
    }
  }
}

int CScrapbookGenerator::PrintScrapbookPage(ReportDevice* dc, int page) {
  if (dc == nullptr) return 0;
  const int n = page - 1;
  CScrapbookEntry entry;
  if (ReadScrapbookEntry(n, entry) == 0) return 1;
  const LogFont previous = dc->SelectFont(titleFont_);

  if (titled_) DrawTitle(dc, entry.rin);
  if (pageCount_ > 1) {
    const std::string number = WithNumber(res::LoadString(res::kIdsPageNumber), entry.page);
    dc->SelectFont(pageFont_);
    Text(dc, pageFont_, grid_.right - dc->GetTextExtent(number).cx, grid_.top + 200, number);
  }

  CMultimediaList chain = LoadChain(entry.rin);
  const std::vector<const CMultimediaItem*> pictures = ScrapbookPictures(chain.get());
  const int within = std::max<int>(1, entry.page);
  const int firstIndex = n - (within - 1);
  CScrapbookEntry first = entry;
  if (firstIndex != n && ReadScrapbookEntry(firstIndex, first) == 0) first = entry;
  EnsureLayout(dc, firstIndex, first, pictures);
  first.rin = entry.rin;

  const std::size_t perPage = static_cast<std::size_t>(options_.PicturesPerPage());
  std::size_t index = static_cast<std::size_t>(within - 1) * perPage;
  for (int row = 0; row < options_.down && index < pictures.size(); ++row)
    for (int column = 0; column < options_.across && index < pictures.size(); ++column)
      DrawCell(dc, column, row, first, *pictures[index++]);
  // A person without scrapbook pictures: the page says so.
  if (pictures.empty())
    Text(dc, captionFont_, grid_.left, grid_.top, res::LoadString(res::kIdsNoPictures));

  DbFreeMultimediaList(chain);
  dc->SelectFont(previous);
  if (IsRTFMode() && page < pageCount_) EndRTFPage();
  return 1;
}

}  // namespace rpt
