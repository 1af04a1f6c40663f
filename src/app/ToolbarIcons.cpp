#include "ToolbarIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "CommandIds.h"

namespace {

// Every glyph is drawn on a 24 x 24 grid and scaled to the pixmap.
constexpr int kGrid = 24;

const QColor kInk(40, 40, 48);
const QColor kPaper(255, 255, 250);
const QColor kFolder(236, 184, 60);
const QColor kMale(96, 150, 220);
const QColor kFemale(226, 120, 150);
const QColor kGreen(46, 160, 67);
const QColor kBlue(40, 110, 200);
const QColor kRed(206, 60, 50);

QPen Ink(qreal width = 1.2) {
  return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, QRectF r) {
  p.setPen(Ink());
  p.setBrush(kPaper);
  p.drawRect(r);
}

void TextLines(QPainter& p, qreal x0, qreal x1, qreal y, int count, qreal step = 3) {
  p.setPen(QPen(QColor(120, 120, 130), 1));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(x0, y + i * step), QPointF(x1, y + i * step));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor color) {
  p.setPen(QPen(color, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  QLineF line(to, from);
  QLineF a = line, b = line;
  a.setLength(5);
  b.setLength(5);
  a.setAngle(line.angle() + 35);
  b.setAngle(line.angle() - 35);
  p.drawLine(a);
  p.drawLine(b);
}

// A head and shoulders.
void Person(QPainter& p, QPointF at, qreal size, QColor color) {
  p.setPen(Ink(1));
  p.setBrush(color);
  qreal head = size * 0.42;
  p.drawEllipse(QRectF(at.x() - head / 2, at.y(), head, head));
  QPainterPath body;
  QRectF torso(at.x() - size * 0.45, at.y() + head * 1.05, size * 0.9, size * 0.9);
  body.moveTo(torso.left(), torso.bottom() - size * 0.35);
  body.arcTo(torso, 180, -180);
  body.lineTo(torso.right(), torso.bottom() - size * 0.35);
  body.closeSubpath();
  p.drawPath(body);
}

void Plus(QPainter& p, QPointF c, QColor color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawEllipse(c, 5, 5);
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - 3), QPointF(c.x(), c.y() + 3));
}

void Box(QPainter& p, QRectF r, QColor color) {
  p.setPen(Ink(1));
  p.setBrush(color);
  p.drawRect(r);
}

void Letter(QPainter& p, QRectF r, const QString& text, QColor color, int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, text);
}

void DrawOpen(QPainter& p) {
  p.setPen(Ink());
  p.setBrush(kFolder.darker(115));
  p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 19}, {2, 19}}));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 19}, {2, 19}}));
}

void DrawImport(QPainter& p) {
  Page(p, QRectF(9, 3, 12, 18));
  TextLines(p, 12, 18, 8, 4);
  Arrow(p, QPointF(1, 14), QPointF(12, 14), kGreen);
}

void DrawExport(QPainter& p) {
  Page(p, QRectF(2, 3, 12, 18));
  TextLines(p, 5, 11, 8, 4);
  Arrow(p, QPointF(10, 14), QPointF(23, 14), kBlue);
}

void DrawReports(QPainter& p) {  // a printer
  Page(p, QRectF(7, 2, 10, 8));
  p.setPen(Ink());
  p.setBrush(QColor(170, 175, 185));
  p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
  Page(p, QRectF(6, 15, 12, 7));
  TextLines(p, 8, 16, 18, 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(18.5, 12), 1.2, 1.2);
}

void DrawPedigree(QPainter& p) {  // one box branching to two, then four
  p.setPen(Ink(1));
  p.drawLine(QPointF(7, 12), QPointF(9, 12));
  p.drawLine(QPointF(9, 7), QPointF(9, 17));
  p.drawLine(QPointF(9, 7), QPointF(11, 7));
  p.drawLine(QPointF(9, 17), QPointF(11, 17));
  p.drawLine(QPointF(16, 7), QPointF(17, 7));
  p.drawLine(QPointF(17, 4), QPointF(17, 10));
  p.drawLine(QPointF(16, 17), QPointF(17, 17));
  p.drawLine(QPointF(17, 14), QPointF(17, 20));
  Box(p, QRectF(1, 10, 6, 4), kMale);
  Box(p, QRectF(11, 5, 5, 4), kMale);
  Box(p, QRectF(11, 15, 5, 4), kFemale);
  for (qreal y : {3.0, 9.0, 13.0, 19.0}) Box(p, QRectF(18, y - 0.5, 5, 3), kPaper);
}

void DrawFamily(QPainter& p) {  // a couple above three children
  p.setPen(Ink(1));
  p.drawLine(QPointF(9, 6), QPointF(15, 6));
  p.drawLine(QPointF(12, 6), QPointF(12, 13));
  p.drawLine(QPointF(4, 13), QPointF(20, 13));
  for (qreal x : {4.0, 12.0, 20.0}) p.drawLine(QPointF(x, 13), QPointF(x, 15));
  Box(p, QRectF(2, 3, 7, 6), kMale);
  Box(p, QRectF(15, 3, 7, 6), kFemale);
  Box(p, QRectF(1.5, 15, 5, 5), kMale);
  Box(p, QRectF(9.5, 15, 5, 5), kFemale);
  Box(p, QRectF(17.5, 15, 5, 5), kMale);
}

void DrawEditIndividual(QPainter& p) {  // a person and a pencil
  Person(p, QPointF(9, 3), 14, kMale);
  p.save();
  p.translate(17, 15);
  p.rotate(45);
  p.setPen(Ink(1));
  p.setBrush(QColor(245, 200, 70));
  p.drawRect(QRectF(-2, -9, 4, 12));
  p.setBrush(QColor(230, 190, 150));
  p.drawPolygon(QPolygonF({{-2, 3}, {2, 3}, {0, 7}}));
  p.setBrush(kRed);
  p.drawRect(QRectF(-2, -11, 4, 2));
  p.restore();
}

void DrawNotes(QPainter& p) {  // a note pad with a folded corner
  p.setPen(Ink());
  p.setBrush(QColor(255, 240, 150));
  p.drawPolygon(QPolygonF({{4, 2}, {20, 2}, {20, 16}, {15, 22}, {4, 22}}));
  p.setBrush(QColor(225, 205, 110));
  p.drawPolygon(QPolygonF({{20, 16}, {15, 16}, {15, 22}}));
  TextLines(p, 7, 17, 7, 4);
  p.setPen(QPen(kRed, 1));
  p.drawLine(QPointF(4, 5), QPointF(20, 5));
}

void DrawMultimedia(QPainter& p) {  // a framed picture: hills and a sun
  p.setPen(Ink());
  p.setBrush(QColor(170, 215, 245));
  p.drawRect(QRectF(2, 4, 20, 16));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 200, 40));
  p.drawEllipse(QPointF(17, 8.5), 2.5, 2.5);
  p.setBrush(kGreen);
  p.drawPolygon(QPolygonF({{2.6, 19.4}, {9, 10}, {14, 16}, {16, 13}, {21.4, 19.4}}));
}

void DrawAddIndividual(QPainter& p) {
  Person(p, QPointF(10, 3), 15, kMale);
  Plus(p, QPointF(18, 17), kGreen);
}

void DrawAddParents(QPainter& p) {
  Person(p, QPointF(6, 2), 10, kMale);
  Person(p, QPointF(15, 2), 10, kFemale);
  Plus(p, QPointF(12, 18), kGreen);
}

void DrawIndividualList(QPainter& p) {
  Page(p, QRectF(3, 2, 18, 20));
  for (int i = 0; i < 5; ++i) {
    qreal y = 5.5 + i * 3.5;
    p.setPen(Qt::NoPen);
    p.setBrush(i % 2 ? kFemale : kMale);
    p.drawEllipse(QPointF(6.5, y), 1.3, 1.3);
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(9, y), QPointF(18, y));
  }
}

void DrawFind(QPainter& p) {  // a magnifier over a record number
  Letter(p, QRectF(1, 1, 14, 14), QStringLiteral("#"), kBlue, 11, true);
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(200, 230, 255, 110));
  p.drawEllipse(QPointF(8, 8), 6, 6);
  p.setPen(QPen(kInk, 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12.5, 12.5), QPointF(21, 21));
}

void DrawDescendancy(QPainter& p) {  // an indented tree
  p.setPen(Ink(1));
  p.drawLine(QPointF(5, 7), QPointF(5, 19));
  p.drawLine(QPointF(5, 12), QPointF(9, 12));
  p.drawLine(QPointF(5, 19), QPointF(9, 19));
  p.drawLine(QPointF(12, 14), QPointF(12, 17));
  p.drawLine(QPointF(12, 17), QPointF(15, 17));
  Box(p, QRectF(2, 2, 10, 5), kMale);
  Box(p, QRectF(9, 10, 9, 4), kFemale);
  Box(p, QRectF(15, 15.5, 7, 3.5), kMale);
  Box(p, QRectF(9, 17, 9, 4), kMale);
}

void DrawHome(QPainter& p) {
  p.setPen(Ink());
  p.setBrush(kRed);
  p.drawPolygon(QPolygonF({{12, 2}, {23, 11}, {1, 11}}));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4, 11, 16, 10));
  p.setBrush(QColor(150, 100, 60));
  p.drawRect(QRectF(10, 14, 4, 7));
}

void DrawMatchMerge(QPainter& p) {  // two people joined into one
  Person(p, QPointF(5, 2), 9, kMale);
  Person(p, QPointF(19, 2), 9, kMale);
  p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(5, 13), QPointF(12, 17));
  p.drawLine(QPointF(19, 13), QPointF(12, 17));
  Arrow(p, QPointF(12, 16), QPointF(12, 23), kBlue);
}

void DrawWebPage(QPainter& p) {  // a globe
  p.setPen(Ink());
  p.setBrush(QColor(120, 180, 235));
  p.drawEllipse(QPointF(12, 12), 10, 10);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 1));
  p.drawEllipse(QPointF(12, 12), 4.5, 10);
  p.drawLine(QPointF(2, 12), QPointF(22, 12));
  p.drawLine(QPointF(12, 2), QPointF(12, 22));
  p.drawLine(QPointF(4, 7), QPointF(20, 7));
  p.drawLine(QPointF(4, 17), QPointF(20, 17));
}

void DrawPublisher(QPainter& p) {  // the publisher's badge
  p.setPen(Ink());
  p.setBrush(kGreen);
  p.drawRoundedRect(QRectF(2, 2, 20, 20), 5, 5);
  Letter(p, QRectF(2, 2, 20, 20), QStringLiteral("Q"), Qt::white, 16, true);
}

void DrawHelp(QPainter& p) {
  p.setPen(Ink());
  p.setBrush(QColor(250, 205, 50));
  p.drawEllipse(QPointF(12, 12), 10, 10);
  Letter(p, QRectF(2, 2, 20, 20), QStringLiteral("?"), kInk, 16, true);
}

using Draw = void (*)(QPainter&);

Draw DrawerOf(unsigned id) {
  switch (id) {
    case shell::kIdFileOpen:
      return DrawOpen;
    case shell::kIdFileImport:
      return DrawImport;
    case shell::kIdFileExport:
      return DrawExport;
    case shell::kIdFilePrintReports:
      return DrawReports;
    case shell::kIdViewPedigree:
      return DrawPedigree;
    case shell::kIdViewFamily:
      return DrawFamily;
    case shell::kIdEditIndividual:
      return DrawEditIndividual;
    case shell::kIdEditNotes:
      return DrawNotes;
    case shell::kIdEditMultimedia:
      return DrawMultimedia;
    case shell::kIdAddIndividual:
      return DrawAddIndividual;
    case shell::kIdAddParents:
      return DrawAddParents;
    case shell::kIdSearchIndividualList:
      return DrawIndividualList;
    case shell::kIdSearchFindRecord:
      return DrawFind;
    case shell::kIdSearchDescendancy:
      return DrawDescendancy;
    case shell::kIdSearchHomePerson:
      return DrawHome;
    case shell::kIdToolsMatchMerge:
      return DrawMatchMerge;
    case shell::kIdToolsWebPage:
      return DrawWebPage;
    case shell::kIdHelpPublisherHome:
      return DrawPublisher;
    case shell::kIdHelp:
      return DrawHelp;
    default:
      return nullptr;
  }
}

QPixmap Render(Draw draw, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(qreal(size) / kGrid, qreal(size) / kGrid);
  draw(p);
  return pixmap;
}

}  // namespace

QIcon ToolbarIcon(unsigned commandId) {
  Draw draw = DrawerOf(commandId);
  if (!draw) return {};
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(Render(draw, size));
  return icon;
}
