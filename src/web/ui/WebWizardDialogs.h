#pragma once
// The Create Web Page wizard: the first page (kind of site, starting person
// or selection, notes, GEDCOM, privacy, multimedia), the second page
// (description, folder, title, introduction, background, Finish) and the
// Advanced HTML, Advanced Options and title dialogs. What the pages decide
// lives in web::WebWizard; Finish runs web::CWebSiteWriter.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "WebSettings.h"
#include "WebWizard.h"

class QPlainTextEdit;

// What the wizard needs of the program around it; the command fills it
// from the application, tests with their own values.
struct WebWizardContext {
  std::int32_t startRin = 0;
  bool showZel = false;
  bool capSurname = false;
  bool hasFilterSet = false;
  std::string filterName;
  std::vector<bool> selection;  // set 2 of the filter set, by RIN
  web::SitePreparer preparer;
  std::string webFolder;        // the profile's Folders/Web
  std::string documentsFolder;  // the user's documents folder
  std::string dataFolder;       // the profile's Folders/Data
  std::string familyFolder;     // the open family file's folder
  std::string familyPath;
  std::string programWebFolder;  // the pictures shipped beside the program
  std::string today;
  // Hooks; an empty one leaves its step out.
  std::function<bool()> checkEditPassword;
  std::function<void(int page)> showPreferences;  // reread the preparer after it
  std::function<std::int32_t(QWidget*, std::int32_t rin)> findPerson;  // 0: cancelled
  std::function<void(QWidget*, WebWizardContext&)> selectIndividuals;  // refreshes the selection
  std::function<void(const std::string& startPage)> openInBrowser;
};

// Display name of an individual for the person box ("" when unreadable).
std::string WebPersonName(std::int32_t rin);

class CWebAdvancedHtmlDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 362;
  static constexpr int kIdcBackLink = 1113;
  static constexpr int kIdcBackLinkText = 1129;
  static constexpr int kIdcHeader = 1320;
  static constexpr int kIdcFooter = 1323;
  explicit CWebAdvancedHtmlDialog(QWidget* parent = nullptr);

  std::string backLink, backLinkText, header, footer;

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;
};

class CWebAdvancedOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 368;
  static constexpr int kIdcPrefix = 1113;
  static constexpr int kIdcOptIndex = 1309;
  static constexpr int kIdcOptFolder = 1310;
  explicit CWebAdvancedOptionsDialog(QWidget* parent = nullptr);

  int optIndex = 1, optFolder = 1;
  std::string prefix;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void OnPrefixChanged();
};

// The title of an ancestors or descendants site: prefix, the person's name
// when "Use name" is on, suffix.
class CWebTitleDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 342;
  static constexpr int kIdcUseName = 1309;
  static constexpr int kIdcPrefix = 1113;
  static constexpr int kIdcSuffix = 1129;
  static constexpr int kIdcSample = 1328;
  CWebTitleDialog(const std::string& caption, const std::string& name, QWidget* parent = nullptr);

  int useName = 1;
  std::string prefix, suffix;
  std::string Title() const;

 protected:
  bool DoDataExchange(bool save) override;
  void OnInitDialog() override;

 private:
  void ShowSample();
  std::string name_;
};

class CWebPageFinishPage : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 341;
  static constexpr int kIdcDescription = 1113;
  static constexpr int kIdcFolder = 1320;
  static constexpr int kIdcPath = 1325;
  static constexpr int kIdcTitle = 1328;
  static constexpr int kIdcEditTitle = 1339;
  static constexpr int kIdcCustomTitle = 1323;
  static constexpr int kIdcBackground = 1333;
  static constexpr int kIdcSelectBackground = 1318;
  static constexpr int kIdcClearBackground = 1335;
  static constexpr int kIdcIntroduction = 1327;
  static constexpr int kIdcAdvancedOptions = 1342;
  static constexpr int kIdcAdvancedHtml = 1341;
  static constexpr int kIdcBack = 1264;
  static constexpr int kIdcFinish = 1;
  static constexpr int kResultBack = 6;

  CWebPageFinishPage(WebWizardContext& context, QWidget* parent = nullptr);

  // Tests: the background file dialog's answer ("" cancels).
  std::function<std::string()> chooseBackground;

  const std::string& SitePath() const { return sitePath_; }
  // The site path the page shows (before Finish checks it).
  std::string SitePathText() const;
  const std::string& Title() const { return title_; }
  void OnFinish();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override { OnFinish(); }

 private:
  void OnDescriptionChange();
  void OnFolderChange();
  void UpdateSitePath();
  void ShowBackground();
  void OnEditTitle();
  void OnSelectBackground();
  void OnAdvancedHtml();
  void OnAdvancedOptions();

  WebWizardContext& context_;
  web::WebSettings settings_;
  web::CSiteFolderName folder_;
  std::string description_, title_, introduction_, background_, sitePath_, base_;
  std::string startName_;
  bool updating_ = false;
};

class CWebPageSetupPage : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 437;
  static constexpr int kIdcAncestors = 1291;
  static constexpr int kIdcDescendants = 1292;
  static constexpr int kIdcSelected = 1300;
  static constexpr int kIdcPersonBox = 1369;
  static constexpr int kIdcPerson = 1306;
  static constexpr int kIdcSearch = 1264;
  static constexpr int kIdcSource = 1309;
  static constexpr int kIdcActText = 1311;
  static constexpr int kIdcComments = 1441;
  static constexpr int kIdcGenrl = 1310;
  static constexpr int kIdcMarked = 1442;
  static constexpr int kIdcEmbed = 1298;
  static constexpr int kIdcLink = 1299;
  static constexpr int kIdcGedcom = 1314;
  static constexpr int kIdcVersion4 = 1293;
  static constexpr int kIdcVersion5 = 1294;
  static constexpr int kIdcAddress = 1315;
  static constexpr int kIdcEmail = 1316;
  static constexpr int kIdcRelInd = 648;
  static constexpr int kIdcParInd = 649;
  static constexpr int kIdcOtherEv = 1443;
  static constexpr int kIdcMaxGens = 1113;
  static constexpr int kIdcDups = 1313;
  static constexpr int kIdcLive = 1396;
  static constexpr int kIdcDoName = 1513;
  static constexpr int kIdcPlaces = 1397;
  static constexpr int kIdcZel = 1317;
  static constexpr int kIdcPhotosNone = 1295;
  static constexpr int kIdcPhotosDefault = 1296;
  static constexpr int kIdcPhotosFull = 1297;
  static constexpr int kIdcVideo = 1312;
  static constexpr int kIdcAudio = 1319;
  static constexpr int kIdcNext = 1;

  explicit CWebPageSetupPage(WebWizardContext& context, QWidget* parent = nullptr);

  web::WebSettings settings;
  // Tests: runs the second page in place of the modal dialog; answers its result.
  std::function<int(CWebPageFinishPage&)> runFinishPage;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  void ApplyEnabling();
  void ShowStartingPerson(bool selected);
  void OnSearch();
  void OnType(int type);

  WebWizardContext& context_;
  std::string startName_;
};

// Runs the whole wizard over the open family file.
void RunCreateWebPage(QWidget* parent, WebWizardContext& context);
