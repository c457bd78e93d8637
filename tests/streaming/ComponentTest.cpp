#include <gtest/gtest.h>

#include "StandIns.h"
#include "streaming/Classes.h"

namespace {

// Logs its notifications and its destruction.
class TProbe : public TComponent {
  LV_CLASS(TComponent)

public:
  TProbe(TComponent *AOwner, const char *name, std::vector<std::string> &log) : TComponent(AOwner), FLog(log) {
    SetName(name);
  }
  ~TProbe() override {
    FLog.push_back("~" + Name() + ((ComponentState() & csDestroying) != 0 ? " destroying" : ""));
  }

protected:
  void Notification(TComponent *AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    FLog.push_back(Name() + (Operation == opInsert ? ": insert " : ": remove ") + AComponent->Name());
  }

private:
  std::vector<std::string> &FLog;
};

LV_PUBLISH(TProbe) { return {}; }

using Log = std::vector<std::string>;

TEST(ComponentTest, OwnerKeepsItsComponentsInOrder) {
  TMainForm form(nullptr);
  auto *a = new TPanel(&form);
  auto *b = new TLabel(&form);
  ASSERT_EQ(form.ComponentCount(), 2);
  EXPECT_EQ(form.Components(0), a);
  EXPECT_EQ(form.Components(1), b);
  EXPECT_EQ(b->Owner(), &form);
  delete a;
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), b);
}

TEST(ComponentTest, DestroysOwnedComponentsLastFirst) {
  Log log;
  auto *owner = new TProbe(nullptr, "O", log);
  new TProbe(owner, "A", log);
  new TProbe(owner, "B", log);
  new TProbe(owner, "C", log);
  log.clear();
  delete owner;
  // They leave the list before they go, so nobody is told of their removal.
  EXPECT_EQ(log, (Log{"~O", "~C destroying", "~B destroying", "~A destroying"}));
}

TEST(ComponentTest, InsertionAndRemovalNotifyTheWholeOwnerTree) {
  Log log;
  TProbe owner(nullptr, "O", log);
  auto *a = new TProbe(&owner, "A", log);
  new TProbe(a, "A1", log);
  log.clear();
  auto *b = new TProbe(&owner, "B", log);
  EXPECT_EQ(log, (Log{"O: insert ", "A: insert ", "A1: insert "}));  // not named yet
  log.clear();
  delete b;
  EXPECT_EQ(log, (Log{"~B", "O: remove B", "A: remove B", "A1: remove B"}));
}

TEST(ComponentTest, FreeNotificationTellsOfTheRemoval) {
  Log log;
  auto *watched = new TProbe(nullptr, "W", log);
  TProbe watcher(nullptr, "X", log);
  watched->FreeNotification(&watcher);
  log.clear();
  delete watched;
  EXPECT_EQ(log, (Log{"~W", "X: remove W"}));
}

TEST(ComponentTest, AWatcherThatGoesFirstIsForgotten) {
  Log log;
  TProbe watched(nullptr, "W", log);
  auto *watcher = new TProbe(nullptr, "X", log);
  watched.FreeNotification(watcher);
  log.clear();
  delete watcher;
  EXPECT_EQ(log, (Log{"~X", "W: remove X"}));
  // The destructor of watched must not reach the freed watcher.
}

TEST(ComponentTest, NameBindsTheOwnersFieldOfThatName) {
  TMainForm form(nullptr);
  auto *panel = new TPanel(&form);
  panel->SetName("wpan");
  EXPECT_EQ(form.WPan, panel);
  panel->SetName("DPan");
  EXPECT_EQ(form.WPan, nullptr);
  EXPECT_EQ(form.DPan, panel);
  delete panel;
  EXPECT_EQ(form.DPan, nullptr);
}

TEST(ComponentTest, ANameWithoutFieldOnlyNames) {
  TMainForm form(nullptr);
  auto *panel = new TPanel(&form);
  panel->SetName("LftPan");
  EXPECT_EQ(panel->Name(), "LftPan");
  for (TComponent *field : form.Fields()) EXPECT_EQ(field, nullptr);
  TPanel loose(nullptr);
  loose.SetName("WPan");
  EXPECT_EQ(loose.Name(), "WPan");
}

TEST(ComponentTest, AFieldOfAnotherClassRefusesTheComponent) {
  TMainForm form(nullptr);
  auto *label = new TLabel(&form);
  label->SetName("TopLbl");
  try {
    label->SetName("TopPan");
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, "Field TopPan of TMainForm cannot hold a TLabel");
  }
  EXPECT_EQ(label->Name(), "TopLbl");
  EXPECT_EQ(form.TopLbl, label);
  EXPECT_EQ(form.TopPan, nullptr);
}

TEST(ComponentTest, OnlyTheBoundComponentClearsItsField) {
  TMainForm form(nullptr);
  auto *first = new TPanel(&form);
  first->SetName("WPan");
  auto *second = new TPanel(&form);
  second->SetName("WPan");
  EXPECT_EQ(form.WPan, second);
  delete first;
  EXPECT_EQ(form.WPan, second);
  first = new TPanel(&form);
  first->SetName("WPan");
  first->SetName("DPan");
  EXPECT_EQ(form.WPan, nullptr);
}

TEST(ComponentTest, LoadedClearsTheLoadingState) {
  TPanel panel(nullptr);
  EXPECT_EQ(panel.ComponentState(), 0);
  panel.Loaded();
  EXPECT_EQ(panel.ComponentState() & csLoading, 0);
}

TEST(PersistentTest, AssigningUnrelatedObjectsRaises) {
  TPanel panel(nullptr);
  TLabel label(nullptr);
  try {
    panel.Assign(&label);
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, "Cannot assign a TLabel to a TPanel");
  }
  try {
    panel.Assign(nullptr);
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, "Cannot assign nil to a TPanel");
  }
}

namespace one {
class TTwin : public TComponent {
  LV_CLASS(TComponent)

public:
  using TComponent::TComponent;
};
LV_PUBLISH(TTwin) { return {}; }
}  // namespace one

namespace two {
class TTwin : public one::TTwin {
  LV_CLASS(one::TTwin)

public:
  using one::TTwin::TTwin;
};
LV_PUBLISH(TTwin) { return {}; }
}  // namespace two

TEST(RegistryTest, RegistersAncestorsUpToTPersistent) {
  RegisterClasses({&TMemo::ClassInfo});
  EXPECT_EQ(FindClass("tmemo"), &TMemo::ClassInfo);
  EXPECT_EQ(FindClass("TEDIT"), &TEdit::ClassInfo);
  EXPECT_EQ(FindClass("TComponent"), &TComponent::ClassInfo);
  EXPECT_EQ(FindClass("TPersistent"), &TPersistent::ClassInfo);
  EXPECT_EQ(FindClass("TObject"), nullptr);
  EXPECT_EQ(FindClass("TNothing"), nullptr);
}

TEST(RegistryTest, TheLastRegisteredOfOneNameWins) {
  RegisterClasses({&one::TTwin::ClassInfo});
  EXPECT_EQ(FindClass("TTwin"), &one::TTwin::ClassInfo);
  RegisterClasses({&two::TTwin::ClassInfo});
  EXPECT_EQ(FindClass("ttwin"), &two::TTwin::ClassInfo);
}

}  // namespace
