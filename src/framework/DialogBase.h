#pragma once
// The dialog base of the program's screens on QDialog. Controls are
// registered under their numeric ids, so that code and tests reach them by
// id; texts cross as 8-bit text of the active code page. Dialog units are
// converted from the dialog's font; data exchange moves member values into
// the controls and back, refusing a number outside its range with the
// framework's range message.

#include <QDialog>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QWidget;

namespace fw {

// Ids of the standard buttons, and what a dialog run answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdHelp = 9;

// The dynamic property that carries a registered control's id.
inline constexpr char kControlIdProperty[] = "controlId";

// A font's base dialog units: the average width of the 52 letters a-z A-Z
// (rounded) and the font's height.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};
DialogBaseUnits BaseUnitsFromMetrics(int widthOf52Letters, int fontHeight);
// Horizontal dialog units are quarters of the base width, vertical ones
// eighths of the base height; rounded to the nearest pixel.
int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base);
int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base);

// The result of reading an integer out of a text: the value, or why not.
enum class IntParse { kOk, kNotInteger, kOutOfRange };
IntParse ParseIntInRange(const std::string& text, std::int64_t low, std::int64_t high,
                         std::int64_t& value);

class CDialogBase : public QDialog {
  Q_OBJECT

 public:
  explicit CDialogBase(QWidget* parent = nullptr);
  ~CDialogBase() override;

  // Registers control under id (object name "ctl<id>" and the property
  // kControlIdProperty); returns the control.
  template <class W>
  W* AddControl(int id, W* control) {
    RegisterControl(id, control);
    return control;
  }
  void RegisterControl(int id, QWidget* control);
  QWidget* GetControl(int id) const;
  template <class W>
  W* Control(int id) const {
    return qobject_cast<W*>(GetControl(id));
  }

  void EnableControl(int id, bool enable);
  void ShowControl(int id, bool show);
  bool IsControlEnabled(int id) const;
  // Labels, edits, buttons, group boxes, combo boxes and text edits.
  void SetControlText(int id, const std::string& text);
  std::string GetControlText(int id) const;
  // A control that shows a path: the file system's own bytes, not code page text.
  void SetControlPath(int id, const std::string& path);
  std::string GetControlPath(int id) const;
  // Check boxes and radio buttons: 0 unchecked, 1 checked, 2 indeterminate.
  void SetCheck(int id, int state);
  int GetCheck(int id) const;
  // The checked button of a radio group (its position in ids; -1 none).
  void CheckRadio(const std::vector<int>& ids, int index);
  int GetCheckedRadio(const std::vector<int>& ids) const;

  // Base units of the dialog's font, and dialog units in pixels.
  DialogBaseUnits BaseUnits() const;
  QSize DialogUnitsToPixels(int x, int y) const;

  // Data exchange: save true reads the controls into the values, false
  // writes the values into the controls. The integer exchange refuses a text
  // that is no whole number or lies outside low..high with the framework's
  // message, puts the focus on the control and answers false.
  bool ExchangeInt(bool save, int id, std::int32_t& value, std::int32_t low, std::int32_t high);
  void ExchangeText(bool save, int id, std::string& value);
  void ExchangeCheck(bool save, int id, int& value);
  void ExchangeRadio(bool save, const std::vector<int>& ids, int& index);

  // Runs DoDataExchange; false when a value was refused.
  bool UpdateData(bool save);
  // Centres the dialog on its parent window (on the screen without one),
  // kept within the screen.
  void CenterWindow();
  // Moves the dialog back within its screen when it reaches past an edge
  // (a dialog that grew); one taller than the screen keeps its top on it.
  void KeepOnScreen();
  void EndDialog(int result) { done(result); }

  // QDialog's OK and Cancel route through OnOK and OnCancel.
  void accept() override;
  void reject() override;
  // Ends the dialog; the window under a modal dialog takes the keyboard
  // again (a message box that closed just before would otherwise leave no
  // window active).
  void done(int result) override;

 protected:
  // Built controls are filled here when the dialog is first shown: the base
  // writes the values into the controls.
  virtual void OnInitDialog();
  virtual bool DoDataExchange(bool save);
  // OK: the values are read back; the dialog ends with kIdOk when all pass.
  virtual void OnOK();
  virtual void OnCancel();

  void showEvent(QShowEvent* event) override;

 private:
  void SetControlQText(int id, const QString& text);
  QString ControlQText(int id) const;

  std::map<int, QWidget*> controls_;
  bool initialised_ = false;
};

}  // namespace fw
