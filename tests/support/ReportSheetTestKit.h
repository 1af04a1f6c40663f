// Pieces the Qt tests of the Reports and Charts sheet share: screenshots on
// request, a generator that prints nothing, and a view that records what the
// sheet asks of it.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportsPropSheet.h"

// Saves the widget as <name>.png in the folder KORVANE_SHOTS names, if any.
inline void Shot(QWidget& widget, const char* name) {
  const char* folder = std::getenv("KORVANE_SHOTS");
  if (folder == nullptr) return;
  QCoreApplication::processEvents();
  widget.grab().save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

class NothingGenerator : public CReportPageGenerator {
 public:
  void BeginPrinting(rpt::ReportDevice*, CPrintInfo*) override {}
  int PrintPage(CReportJob&, CPrintInfo*) override { return 1; }
  void EndPrinting(rpt::ReportDevice*, CPrintInfo*) override {}
};

// Makes the report kind of cls available (or not), so the sheet enables its
// Print and Preview.
inline void RegisterGenerator(rpt::GeneratorClass cls, bool on) {
  if (on)
    rpt::RegisterReportGenerator(cls, [](const rpt::GeneratorArgs&) {
      return std::unique_ptr<CReportPageGenerator>(new NothingGenerator);
    });
  else
    rpt::RegisterReportGenerator(cls, nullptr);
}

// The view the sheet prints from: its current person and marriage, and the
// calls it got ("kind N", "post ID", and "rtf on"/"rtf off" when recordRtf).
class FakeView : public rpt::ReportSheetTarget {
 public:
  std::int32_t rin = 0, mrin = 0;
  bool recordRtf = false;
  std::vector<std::string> calls;
  int ViewKind() const override { return 1; }
  std::int32_t CurrentRin() override { return rin; }
  std::int32_t CurrentMrin() override { return mrin; }
  void SetRtfOutput(bool on) override {
    if (recordRtf) calls.push_back(on ? "rtf on" : "rtf off");
  }
  void SetReportKind(int kind) override { calls.push_back("kind " + std::to_string(kind)); }
  void PostCommand(unsigned id) override { calls.push_back("post " + std::to_string(id)); }
};
