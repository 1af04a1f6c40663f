#include "RTFElements.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "PersistentFile.h"
#include "RTFDocument.h"
#include "RTFFile.h"

KOR_IMPLEMENT_DYNCREATE(CRTFText, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFCode, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFTabSet, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFLine, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFRectangle, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFArc, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFImage, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFEmbeddedImage, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFHeader, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFFooter, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFIndexEntry, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFCustBullet, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFBullet, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFCell, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFRow, 1)

namespace {

void PutInt(CPersistentFile* file, std::int32_t value) {
  file->WriteDword(static_cast<std::uint32_t>(value));
}
std::int32_t GetInt(CPersistentFile* file) { return static_cast<std::int32_t>(file->ReadDword()); }

int Red(std::uint32_t colour) { return static_cast<int>(colour & 0xFF); }
int Green(std::uint32_t colour) { return static_cast<int>((colour >> 8) & 0xFF); }
int Blue(std::uint32_t colour) { return static_cast<int>((colour >> 16) & 0xFF); }

constexpr const char* kTextPositionPrefix = R"(\par \pard \pvpg\phpg)";

}  // namespace

// --- CRTFText ---

CRTFText::CRTFText(std::string text, int font, int halfPoints, bool bold, bool italic,
                   bool underline, int alignment, bool superscript)
    : font_(font),
      halfPoints_(halfPoints),
      bold_(bold ? 1 : 0),
      italic_(italic ? 1 : 0),
      underline_(underline ? 1 : 0),
      alignment_(alignment),
      superscript_(superscript ? 1 : 0),
      text_(std::move(text)) {}

void CRTFText::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  for (std::int32_t v : {font_, halfPoints_, bold_, italic_, underline_, alignment_, superscript_})
    PutInt(file, v);
  file->WriteString(text_);
  PutInt(file, x_);
  PutInt(file, y_);
  PutInt(file, raw_);
}

void CRTFText::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  for (std::int32_t* v :
       {&font_, &halfPoints_, &bold_, &italic_, &underline_, &alignment_, &superscript_})
    *v = GetInt(file);
  file->ReadString(text_);
  x_ = GetInt(file);
  y_ = GetInt(file);
  raw_ = GetInt(file);
}

void CRTFText::WriteRTF(CRTFDocument&, CRTFFile& file) const {
  bool prefixed = false;
  if (x_ >= 0) {
    file.WriteString(kTextPositionPrefix);
    prefixed = true;
    file.WriteString(rtf::Format(R"(\posx%d)", x_));
  }
  if (y_ >= 0) {
    if (!prefixed) file.WriteString(kTextPositionPrefix);
    file.WriteString(rtf::Format(R"(\posy%d)", y_));
  }
  if (x_ < 0 && y_ < 0 && alignment_ == kCentre) file.WriteString(R"(\pard )");
  file.WriteString(rtf::Format(R"(\f%d\fs%d)", font_, halfPoints_));

  std::string on;
  if (alignment_ == kLeft) on += R"(\ql)";
  if (alignment_ == kCentre) on += R"(\qc)";
  if (alignment_ == kRight) on += R"(\qr)";
  if (underline_) on += R"(\ul)";
  if (bold_) on += R"(\b)";
  if (italic_) on += R"(\i)";
  if (superscript_) on += R"(\super)";
  file.WriteString(on);

  std::string escaped;
  escaped.reserve(text_.size() + 8);
  bool copied = rtf::AppendText(escaped, text_, raw_ != 0);
  if (copied && file.LastChar() != ' ' && file.LastChar() != '\r') file.WriteString(" ");
  file.WriteString(escaped);

  std::string off;
  if (superscript_) off += R"(\nosupersub)";
  if (italic_) off += R"(\i0)";
  if (bold_) off += R"(\b0)";
  if (underline_) off += R"(\ulnone)";
  file.WriteString(off);

  if (alignment_ >= kLeft && alignment_ <= kRight)
    file.WriteString(InTable() ? R"(\pard )" : R"(\ql)");
}

// --- CRTFCode ---

void CRTFCode::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  file->WriteString(code_);
}

void CRTFCode::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  file->ReadString(code_);
}

void CRTFCode::WriteRTF(CRTFDocument&, CRTFFile& file) const { file.WriteString(code_); }

// --- CRTFTabSet ---

void CRTFTabSet::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  file->WriteString(stops_.GetText());
}

void CRTFTabSet::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  std::string stops;
  file->ReadString(stops);
  stops_.SetText(stops);
}

void CRTFTabSet::WriteRTF(CRTFDocument&, CRTFFile& file) const {
  std::string out;
  if (!InTable()) out += R"(\pard)";
  for (std::string token = stops_.FirstToken(" "); !token.empty(); token = stops_.NextToken(" ")) {
    std::string position = token;
    std::size_t bar = token.find('|');
    if (bar != std::string::npos) {
      position = token.substr(0, bar);
      if (bar + 1 < token.size()) {
        char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(token[bar + 1])));
        out += R"(\tq)";
        out += kind;
        out += ' ';
      }
    }
    out += R"(\tx)";
    out += position;
  }
  file.WriteString(out);
}

// --- Shapes ---

void CRTFLine::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  for (std::int32_t v : {x1_, y1_, x2_, y2_, width_}) PutInt(file, v);
  file->WriteDword(colour_);
  PutInt(file, flipV_);
}

void CRTFLine::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  for (std::int32_t* v : {&x1_, &y1_, &x2_, &y2_, &width_}) *v = GetInt(file);
  colour_ = file->ReadDword();
  flipV_ = GetInt(file);
}

void CRTFLine::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  const int dx = x2_ - x1_, dy = y2_ - y1_;
  // The fallback drawing object gives the end points: a flipped line starts
  // at the bottom-left corner.
  const int fromY = flipV_ != 0 ? dy : 0, toY = flipV_ != 0 ? 0 : dy;
  file.WriteString(rtf::Format(
      R"({\shp{\*\shpinst\shpleft%d\shptop%d\shpright%d\shpbottom%d\shpfhdr0\shpbxpage\shpbypage\shpwr3\shpwrk0\shpfblwtxt0\shpz%d\shplid%d{\sp{\sn shapeType}{\sv 20}}{\sp{\sn fFlipH}{\sv 0}}{\sp{\sn fFlipV}{\sv %d}}{\sp{\sn lineWidth}{\sv %d}}{\sp{\sn lineColor}{\sv %d}}{\sp{\sn fShadow}{\sv 0}}}{\shprslt{\*\do\dobxpage\dobypage\dodhgt8192\dpline\dpptx0\dppty%d\dpptx%d\dppty%d\dpx%d\dpy%d\dpxsize%d\dpysize%d\dplinew%d\dplinecor0\dplinecog0\dplinecob0}}})",
      x1_, y1_, x2_, y2_, document.ShapeZOrder(), document.NextShapeId(), flipV_ != 0 ? 1 : 0,
      width_ * 635, static_cast<int>(colour_), fromY, dx, toY, x1_, y1_, dx, dy, width_));
  document.ShapeWritten();
}

void CRTFRectangle::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  for (std::int32_t v : {left_, top_, right_, bottom_, lineWidth_, line_}) PutInt(file, v);
  file->WriteDword(lineColour_);
  PutInt(file, filled_);
  file->WriteDword(fillColour_);
}

void CRTFRectangle::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  for (std::int32_t* v : {&left_, &top_, &right_, &bottom_, &lineWidth_, &line_}) *v = GetInt(file);
  lineColour_ = file->ReadDword();
  filled_ = GetInt(file);
  fillColour_ = file->ReadDword();
}

void CRTFRectangle::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(rtf::Format(
      R"({\shp{\*\shpinst\shpleft%d\shptop%d\shpright%d\shpbottom%d\shpfhdr0\shpbxpage\shpbypage\shpwr3\shpwrk0\shpfblwtxt0\shpz%d\shplid%d{\sp{\sn shapeType}{\sv 1}}{\sp{\sn fFlipH}{\sv 0}}{\sp{\sn fFlipV}{\sv 0}}{\sp{\sn fillColor}{\sv %d}}{\sp{\sn fFilled}{\sv %d}}{\sp{\sn lineColor}{\sv %d}}{\sp{\sn fLine}{\sv %d}}{\sp{\sn lineWidth}{\sv %d}}{\sp{\sn pWrapPolygonVertices}{\sv 8;5;(-220,0);(-220,21600);(21820,21600);(21820,0);(-220,0)}}{\sp{\sn fEditedWrap}{\sv 0}}{\sp{\sn fBehindDocument}{\sv 1}}}{\shprslt{\*\do\dobxpage\dobypage\dodhgt0\dprect\dpx%d\dpy%d\dpxsize%d\dpysize%d\dpfillfgcr255\dpfillfgcg255\dpfillfgcb255\dpfillbgcr%d\dpfillbgcg%d\dpfillbgcb%d\dpfillpat1\dplinew%d\dplinecor%d\dplinecog%d\dplinecob%d%s}}})",
      left_, top_, right_, bottom_, document.ShapeZOrder(), document.NextShapeId(),
      static_cast<int>(fillColour_), filled_, static_cast<int>(lineColour_), line_,
      lineWidth_ * 635, left_, top_, right_ - left_, bottom_ - top_, Red(fillColour_),
      Green(fillColour_), Blue(fillColour_), lineWidth_, Red(lineColour_), Green(lineColour_),
      Blue(lineColour_), line_ == 0 ? R"(\dplinehollow)" : ""));
  document.ShapeWritten();
}

void CRTFArc::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  for (std::int32_t v : {left_, top_, right_, bottom_, flipH_, flipV_, width_}) PutInt(file, v);
  file->WriteDword(colour_);
}

void CRTFArc::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  for (std::int32_t* v : {&left_, &top_, &right_, &bottom_, &flipH_, &flipV_, &width_})
    *v = GetInt(file);
  colour_ = file->ReadDword();
}

void CRTFArc::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(rtf::Format(
      R"({\shp{\*\shpinst\shpleft%d\shptop%d\shpright%d\shpbottom%d\shpfhdr0\shpbxpage\shpbypage\shpwr3\shpwrk0\shpfblwtxt0\shpz%d\shplid%d{\sp{\sn shapeType}{\sv 19}}{\sp{\sn fFlipH}{\sv %d}}{\sp{\sn fFlipV}{\sv %d}}{\sp{\sn lineColor}{\sv %d}}{\sp{\sn lineWidth}{\sv %d}}{\sp{\sn fEditedWrap}{\sv 0}}{\sp{\sn fBehindDocument}{\sv 1}}}{\shprslt{\*\do\dobxpage\dobypage\dodhgt8192\dprect\dpx%d\dpy%d\dpxsize%d\dpysize%d\dpfillfgcr255\dpfillfgcg255\dpfillfgcb255\dpfillbgcr255\dpfillbgcg255\dpfillbgcb255\dpfillpat0\dplinew%d\dplinecor%d\dplinecog%d\dplinecob%d}}})",
      left_, top_, right_, bottom_, document.ShapeZOrder(), document.NextShapeId(), flipH_, flipV_,
      static_cast<int>(colour_), width_ * 635, left_, top_, right_ - left_, bottom_ - top_, width_,
      Red(colour_), Green(colour_), Blue(colour_)));
  document.ShapeWritten();
}

// --- Pictures ---

namespace {

// The absolute path of an existing regular file, "" when there is none.
std::string ExistingAbsolutePath(const std::string& path) {
  if (path.empty()) return {};
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return {};
  struct stat info {};
  if (::stat(absolute.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  return absolute.lexically_normal().string();
}

// A path as the quoted argument of a field instruction: backslash and quote
// escaped for the field, then the field text escaped for RTF.
std::string FieldPath(const std::string& path) {
  std::string field;
  for (char ch : path) {
    if (ch == '\\' || ch == '"') field += '\\';
    field += ch;
  }
  return "\"" + rtf::EscapeName(field) + "\"";
}

}  // namespace

void CRTFImage::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  file->WriteString(path_);
  for (std::int32_t v : {x_, y_, width_, height_}) PutInt(file, v);
}

void CRTFImage::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  file->ReadString(path_);
  for (std::int32_t* v : {&x_, &y_, &width_, &height_}) *v = GetInt(file);
}

void CRTFImage::WriteRTF(CRTFDocument&, CRTFFile& file) const {
  std::string absolute = ExistingAbsolutePath(path_);
  if (absolute.empty()) return;
  const std::string field = FieldPath(absolute);
  if (y_ < 0) {
    file.WriteString(rtf::Format(
        R"(\pard \pvpara \posx%d \absw%d\absh%d\adjustright {\field{\*\fldinst {\fs28\cgrid0 IMPORT %s \\* MERGEFORMAT}}\pard} \par \pard )",
        x_, width_, height_, field.c_str()));
  } else {
    file.WriteString(rtf::Format(
        R"({\par \pard \phpg \pvpg \posx%d \posy%d \absw%d \absh%d{\field{\*\fldinst IMPORT %s \\* mergeformat}{\fldrslt {\plain }} \par \pard}})",
        x_, y_, width_, height_, field.c_str()));
  }
}

void CRTFEmbeddedImage::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  file->WriteString(path_);
  PutInt(file, scaleX_);
  PutInt(file, scaleY_);
}

void CRTFEmbeddedImage::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  file->ReadString(path_);
  scaleX_ = GetInt(file);
  scaleY_ = GetInt(file);
}

void CRTFEmbeddedImage::WriteRTF(CRTFDocument&, CRTFFile& file) const {
  // Opened before anything is written, so a missing picture leaves no open group.
  std::FILE* picture = std::fopen(path_.c_str(), "rb");
  if (picture == nullptr) return;
  std::string upper;
  for (char c : path_) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const bool jpeg = upper.size() > 1 && upper.find(".JPG", 1) != std::string::npos;
  file.WriteString(rtf::Format(
      R"({\pict\picscalex%d\picscaley%d\piccropl0\piccropr0\piccropt0\piccropb0\picw5556\pich2328\picwgoal3150\pichgoal1320%s\bliptag-353426442)",
      scaleX_, scaleY_, jpeg ? R"(\jpegblip)" : R"(\emfblip)"));
  file.WriteString("\r");
  static constexpr char kHex[] = "0123456789abcdef";
  unsigned char in[16384];
  std::string hex;
  std::size_t got;
  while ((got = std::fread(in, 1, sizeof in, picture)) > 0) {
    hex.clear();
    for (std::size_t i = 0; i < got; ++i) {
      hex += kHex[in[i] >> 4];
      hex += kHex[in[i] & 15];
    }
    file.Write(hex.data(), hex.size());
  }
  std::fclose(picture);
  file.WriteString("}");
}

// --- Containers ---

void CRTFContainer::AddChild(std::unique_ptr<CRTFObject> child) {
  if (child) children_.push_back(std::move(child));
}

void CRTFContainer::StoreChildList(CPersistentFile* file) const {
  rtf::StoreChildren(file, children_);
  children_.clear();
}

void CRTFContainer::LoadChildList(CPersistentFile* file) {
  if (!rtf::LoadChildren(file, children_)) file->SetError(ObjectStreamError::kCorrupt);
}

void CRTFContainer::WriteChildren(CRTFDocument& document, CRTFFile& file, bool inTable) const {
  for (const auto& child : children_) {
    if (inTable) child->SetInTable(true);
    child->WriteRTF(document, file);
  }
}

CRTFHeader::CRTFHeader(std::unique_ptr<CRTFObject> first, std::unique_ptr<CRTFObject> second) {
  AddChild(std::move(first));
  AddChild(std::move(second));
}

void CRTFHeader::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  StoreChildList(file);
}

void CRTFHeader::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  LoadChildList(file);
}

void CRTFHeader::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(R"({\header \pard )");
  WriteChildren(document, file, false);
  file.WriteString(R"(} \pard )");
}

CRTFFooter::CRTFFooter(std::unique_ptr<CRTFObject> first, std::unique_ptr<CRTFObject> second) {
  AddChild(std::move(first));
  AddChild(std::move(second));
}

void CRTFFooter::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  StoreChildList(file);
}

void CRTFFooter::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  LoadChildList(file);
}

void CRTFFooter::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(R"({\footer \pard )");
  WriteChildren(document, file, false);
  file.WriteString("}");
}

CRTFIndexEntry::CRTFIndexEntry(std::unique_ptr<CRTFObject> child) { AddChild(std::move(child)); }

void CRTFIndexEntry::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  StoreChildList(file);
}

void CRTFIndexEntry::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  LoadChildList(file);
}

void CRTFIndexEntry::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(R"({\v {\xe {\v )");
  WriteChildren(document, file, true);
  file.WriteString("}}}");
}

void CRTFCustBullet::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  PutInt(file, leftIndent_);
  PutInt(file, firstIndent_);
  PutInt(file, lineHeight_);
  PutInt(file, rightIndent_);
  StoreChildList(file);
}

void CRTFCustBullet::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  leftIndent_ = GetInt(file);
  firstIndent_ = GetInt(file);
  lineHeight_ = GetInt(file);
  rightIndent_ = GetInt(file);
  LoadChildList(file);
}

void CRTFCustBullet::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(rtf::Format(R"(\li%d\fi%d)", leftIndent_, firstIndent_));
  file.WriteString(" ");
  if (rightIndent_ != 0) file.WriteString(rtf::Format(R"(\ri%d )", rightIndent_));
  if (lineHeight_ > 0) file.WriteString(rtf::Format(R"(\sl-%d\slmult0 )", lineHeight_));
  WriteChildren(document, file, false);
  file.WriteString(R"(\par )");
}

void CRTFBullet::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  PutInt(file, level_);
  PutInt(file, indent_);
  rtf::StoreElement(file, bullet_.get());
  bullet_.reset();
  StoreChildList(file);
}

void CRTFBullet::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  level_ = GetInt(file);
  indent_ = GetInt(file);
  if (!rtf::LoadElement(file, bullet_)) return;
  LoadChildList(file);
}

void CRTFBullet::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(rtf::Format(R"(\li%d\fi-%d )", level_ * indent_, indent_));
  if (bullet_) bullet_->WriteRTF(document, file);
  file.WriteString(R"(\tab )");
  WriteChildren(document, file, false);
  file.WriteString(R"(\par )");
}

std::string CRTFCell::BorderWords() const {
  std::string words;
  if (left_ > 0) words += rtf::Format(R"(\clbrdrl\brdrs\brdrw%d )", left_);
  if (top_ > 0) words += rtf::Format(R"(\clbrdrt\brdrs\brdrw%d )", top_);
  if (right_ > 0) words += rtf::Format(R"(\clbrdrr\brdrs\brdrw%d )", right_);
  if (bottom_ > 0) words += rtf::Format(R"(\clbrdrb\brdrs\brdrw%d )", bottom_);
  return words;
}

void CRTFCell::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  for (std::int32_t v : {width_, left_, top_, right_, bottom_}) PutInt(file, v);
  StoreChildList(file);
}

void CRTFCell::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  for (std::int32_t* v : {&width_, &left_, &top_, &right_, &bottom_}) *v = GetInt(file);
  LoadChildList(file);
}

void CRTFCell::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  file.WriteString(R"(\pard \intbl )");
  WriteChildren(document, file, true);
  file.WriteString(R"(\cell )");
}

CRTFRow::CRTFRow(std::unique_ptr<CRTFObject> first) { AddChild(std::move(first)); }

void CRTFRow::AddChild(std::unique_ptr<CRTFObject> child) {
  // A row defines one cell per child; anything else would leave the table malformed.
  if (dynamic_cast<CRTFCell*>(child.get()) != nullptr) CRTFContainer::AddChild(std::move(child));
}

void CRTFRow::Store(CPersistentFile* file) const {
  CRTFObject::Store(file);
  StoreChildList(file);
}

void CRTFRow::Load(CPersistentFile* file) {
  CRTFObject::Load(file);
  LoadChildList(file);
  RTFChildren loaded = std::move(children_);
  children_.clear();
  for (auto& child : loaded) AddChild(std::move(child));
}

void CRTFRow::WriteRTF(CRTFDocument& document, CRTFFile& file) const {
  std::string definition = R"(\trowd)";
  int edge = 0;
  for (const auto& child : children_) {
    const auto& cell = static_cast<const CRTFCell&>(*child);
    edge += cell.Width();
    definition += cell.BorderWords();
    definition += rtf::Format(R"(\cellx%d)", edge);
  }
  file.WriteString(definition);
  WriteChildren(document, file, false);
  file.WriteString(R"(\pard \intbl \row \pard )");
}
