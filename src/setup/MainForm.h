// The wizard form and the setup driver's state: the pages, their handlers,
// the language switch, the destination rules and the records the form
// writes.
#pragma once

#include <cstdint>
#include <memory>

#include "resconst/ResConst.h"
#include "runtime/SysUtils.h"
#include "setup/Destination.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/PNG.h"
#include "toolkit/StdCtrls.h"

// The destination (program) folder, without a trailing backslash once the
// destination check has seen it.
extern WideString TargetDir;
// The page SetPage last showed.
extern uint8_t CurrentPage;
// Set when the installing page begins its work; the records are then saved
// at exit.
extern bool InstallStarted;

class TMainForm;
// The wizard of the run, while the program body has it.
extern TMainForm *MainForm;

// Whether a window of the installed application is open: a top-level window
// carrying its property.
bool InstanceRunning();

// The language box's items carry their language index as their object.
inline TObject *LanguageObject(uint8_t language) { return reinterpret_cast<TObject *>(static_cast<intptr_t>(language)); }
inline uint8_t ObjectLanguage(TObject *object) { return static_cast<uint8_t>(reinterpret_cast<intptr_t>(object)); }

// The wizard's pages in the order Next takes them. The close step, after the
// finished page, has no panel of its own; PageCount counts it too.
enum TWizardPage : uint8_t { pgWelcome, pgLicence, pgDestination, pgReady, pgInstalling, pgFinished, pgCloseStep };
static_assert(pgCloseStep + 1 == PageCount);

class TMainForm : public TForm {
  LV_CLASS(TMainForm, TForm)

public:
  // Reads the description TMAINFORM, the logo, the stored settings and the
  // destination switch; shows the welcome page unless the run is silent.
  explicit TMainForm(TComponent *AOwner);

  TPanel *TopPan = nullptr;
  TLabel *TopLbl = nullptr;
  TImage *LogoImg = nullptr;
  TPanel *WPan = nullptr;
  TLabel *WelLbl = nullptr;
  TLabel *LngLbl = nullptr;
  TComboBox *LngBx = nullptr;
  TPanel *LPan = nullptr;
  TMemo *LicMemo = nullptr;
  TCheckBox *LicBx = nullptr;
  TPanel *DPan = nullptr;
  TEdit *DstEdt = nullptr;
  TButton *BwsBtn = nullptr;
  TCheckBox *PortBx = nullptr;
  TButton *PortIBtn = nullptr;
  TPanel *SPan = nullptr;
  TLabel *StartLbl = nullptr;
  TCheckBox *Inst2AllBx = nullptr;
  TCheckBox *DskBx = nullptr;
  TPanel *IPan = nullptr;
  TPanel *FPan = nullptr;
  TLabel *FinLbl = nullptr;
  TCheckBox *FinBx = nullptr;
  TButton *BBtn = nullptr;
  TButton *NBtn = nullptr;
  TButton *CBtn = nullptr;

  // Event handlers, connected by the description.
  void BNClk(TObject *Sender);
  void CClk(TObject *Sender);
  void LngChg(TObject *Sender);
  void BwsClk(TObject *Sender);
  void PortIClk(TObject *Sender);
  void FormCloseQuery(TObject *Sender, bool &CanClose);

  // Every caption in CurLanguage, taken from the language box.
  void ApplyLanguage();
  // Shows a page: its entry step, then the buttons, title, panel and focus.
  void SetPage(uint8_t Page);
  // Normalises the destination box and sets the portable box by the marker.
  void CheckDestination();
  // The data folder of a kind (common, hidden, public), made if
  // missing, with a trailing backslash; the destination when portable.
  WideString GetDataFolder(TDataFolderKind Kind);
  // The catalogue's install list for this installation, and for a normal
  // one "install_stamp".
  void BuildFileList();
  bool IsPortable() const { return PortBx->Checked(); }
  // The destination joined with a file name.
  WideString InTargetDir(const AnsiString &Name) const;
  // The settings key and, unless portable, the uninstall entry.
  void SaveSettings();
  // Merges this installation's shared files into "Update.log". A list that
  // cannot be saved is reported: the box naming the file, or in a silent run
  // exit code 2.
  void WriteUpdateLog();

  TPanel *Pages[PageCount] = {};
  bool FCloseAllowed = false;
  bool FPrevInstall = false;
  TDateTime FInstallTime = 0;

private:
  void ReadStoredSettings();
  // The panels of the later pages take the welcome page's rectangle.
  void FillPageTable();
  void LoadLogo();
  void FillLanguageBox();
  // PortBx as wide as its caption plus its check mark, the help button
  // right after it.
  void FitPortableBox();
  // The entry step of a page; false when the page is not shown (refused, or
  // the close step, which has no page). Focus is the control that takes the
  // focus after the switch.
  bool EnterPage(uint8_t Page, TWinControl *&Focus);
  // Page 4 after it is shown: the files written, then page 5, or the wizard
  // closed on a failure.
  void RunInstallation();
  // Page 5's entry: the common data file, then the marker or the shortcuts.
  void FinishInstallation();
  void CreateShortcuts();
  // Page 6: "Update.log", the launch, the end of the wizard.
  void CloseStep();

  bool FLicenseShown = false;

  std::unique_ptr<TPNGImage> FLogo;
};
