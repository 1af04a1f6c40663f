#pragma once
// Select Event lists the event types of individuals or marriages so that the
// user picks the kind of a new user event, and creates, changes and deletes
// types through Define Custom Event. The decisions are CEventTypeList's and
// CheckEventTypeFields'.

#include <cstdint>
#include <string>

#include "DialogBase.h"
#include "EventTypes.h"

class QListWidget;

class CDefineCustomEventDialog : public fw::CDialogBase {
  Q_OBJECT
 public:
  static constexpr int kIdcTitle = 1113;
  static constexpr int kIdcShortTitle = 1320;
  static constexpr int kIdcAbbreviation = 1323;
  static constexpr int kIdcDateNone = 1291;
  static constexpr int kIdcDateSingle = 1292;
  static constexpr int kIdcDateRange = 1293;
  static constexpr int kIdcUseDescription = 1309;
  static constexpr int kIdcVerb = 1327;
  static constexpr int kIdcPreposition = 1326;
  static constexpr int kIdcSample = 1369;

  CDefineCustomEventDialog(char ownerKind, QWidget* parent = nullptr);
  // Filled by the caller before the run, read after OK.
  EventTypeFields fields;
  // The titles in use (the Select Event dialog's).
  const EventTypeNames* names = nullptr;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  void UpdateSample();
  void UpdateOkOnReadOnly();
  char ownerKind_;
  std::string oldTitleKey_;
  std::string oldShortKey_;
  bool readOnly_ = false;
};

class CSelectEventDialog : public fw::CDialogBase {
  Q_OBJECT
 public:
  static constexpr int kIdcList = 1346;
  static constexpr int kIdcNew = 1318;
  static constexpr int kIdcEdit = 1339;
  static constexpr int kIdcDelete = 1341;

  CSelectEventDialog(const std::string& insert, char ownerKind, QWidget* parent = nullptr,
                     std::int32_t preselect = -1);
  // The chosen event type after OK.
  std::int32_t chosen = -1;
  CEventTypeList& Types() { return types_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void Fill();
  void UpdateDelete();
  void OnNew();
  void OnEdit();
  void OnDelete();

  char ownerKind_;
  std::int32_t preselect_;
  CEventTypeList types_;
  QListWidget* list_ = nullptr;
  bool readOnly_ = false;
};
