#include <gtest/gtest.h>

#include "StandIns.h"
#include "streaming/Classes.h"

namespace {

// Logs its notifications and its teardown.
class TProbe : public TComponent {
  LV_CLASS(TProbe, TComponent)

public:
  TProbe(TComponent *AOwner, const char *name, std::vector<std::string> &log) : TComponent(AOwner), FLog(log) {
    SetName(name);
  }

protected:
  void Destroy() override {
    FLog.push_back("~" + Name() + ((ComponentState() & csDestroying) != 0 ? " destroying" : ""));
    inherited::Destroy();
  }

  void Notification(TComponent *AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    FLog.push_back(Name() + (Operation == opInsert ? ": insert " : ": remove ") + AComponent->Name());
  }

private:
  std::vector<std::string> &FLog;
};

LV_PUBLISH(TProbe) { return {}; }

using Log = std::vector<std::string>;

// Logs in its teardown what it sees of itself: its class name, its kind (a
// virtual call) and its own member.
class TWhole : public TComponent {
  LV_CLASS(TWhole, TComponent)

public:
  TWhole(TComponent *AOwner, Log &log) : TComponent(AOwner), FLog(log) {}
  virtual std::string Kind() const { return "whole"; }

protected:
  void Destroy() override {
    FLog.push_back(std::string(ClassName()) + " " + Kind() + " " + FNote);
    inherited::Destroy();
  }

private:
  Log &FLog;
  std::string FNote = "with its note";
};

class TWholeDerived : public TWhole {
  LV_CLASS(TWholeDerived, TWhole)

public:
  using TWhole::TWhole;
  std::string Kind() const override { return FKind; }

private:
  std::string FKind = "derived";
};

// Tells what a component freeing in its presence still is.
class TClassWatcher : public TComponent {
  LV_CLASS(TClassWatcher, TComponent)

public:
  TClassWatcher(TComponent *AOwner, Log &log) : TComponent(AOwner), FLog(log) {}

protected:
  void Notification(TComponent *AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove) FLog.push_back(std::string("told of ") + AComponent->ClassName());
  }

private:
  Log &FLog;
};

LV_PUBLISH(TWhole) { return {}; }
LV_PUBLISH(TWholeDerived) { return {}; }
LV_PUBLISH(TClassWatcher) { return {}; }

struct FreeCase {
  const char *name;
  // Ends whole, owned by owner.
  void (*end)(TComponentPtr<TComponent> &owner, TComponent *whole);
};

class FreeTest : public testing::TestWithParam<FreeCase> {};

// However it goes, a component is torn down while it is whole: its own
// Destroy runs with its members, virtual calls reach the most derived class,
// and a watcher told of its removal still sees its class.
TEST_P(FreeTest, TearsDownWhileTheObjectIsWhole) {
  Log log;
  auto watcher = MakeComponent<TClassWatcher>(log);
  TComponentPtr<TComponent> owner = MakeComponent<TComponent>();
  auto *whole = new TWholeDerived(owner.get(), log);
  whole->FreeNotification(watcher.get());
  GetParam().end(owner, whole);
  EXPECT_EQ(log, (Log{"TWholeDerived derived with its note", "told of TWholeDerived"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FreeTest,
    testing::Values(FreeCase{"Free", [](TComponentPtr<TComponent> &, TComponent *whole) { whole->Free(); }},
                    // The owner's pointer frees the owner, whose loop frees what it owns.
                    FreeCase{"OwnerFreed", [](TComponentPtr<TComponent> &owner, TComponent *) { owner.reset(); }}),
    [](const auto &info) { return std::string(info.param.name); });

static_assert(!std::is_destructible_v<TComponent>, "a component is ended with Free, not delete");

// Deleted without Free (through TObject), a component still leaves its owner,
// clears the owner's field and frees what it owns.
TEST(ComponentTest, DeletedWithoutFreeItStillLeavesItsOwner) {
  auto form = MakeComponent<TMainForm>();
  auto *panel = new TPanel(form.get());
  panel->SetName("WPan");
  new TLabel(panel);
  const int live = TControl::Live;
  delete static_cast<TObject *>(panel);
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->WPan, nullptr);
  EXPECT_EQ(TControl::Live, live - 2);
}

TEST(ComponentTest, OwnerKeepsItsComponentsInOrder) {
  auto form = MakeComponent<TMainForm>();
  auto *a = new TPanel(form.get());
  auto *b = new TLabel(form.get());
  ASSERT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->Components(0), a);
  EXPECT_EQ(form->Components(1), b);
  EXPECT_EQ(b->Owner(), form.get());
  a->Free();
  ASSERT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->Components(0), b);
}

TEST(ComponentTest, DestroysOwnedComponentsLastFirst) {
  Log log;
  auto *owner = new TProbe(nullptr, "O", log);
  new TProbe(owner, "A", log);
  new TProbe(owner, "B", log);
  new TProbe(owner, "C", log);
  log.clear();
  owner->Free();
  // They leave the list before they go, so nobody is told of their removal.
  EXPECT_EQ(log, (Log{"~O", "~C destroying", "~B destroying", "~A destroying"}));
}

TEST(ComponentTest, InsertionAndRemovalNotifyTheWholeOwnerTree) {
  Log log;
  auto owner = MakeComponent<TProbe>("O", log);
  auto *a = new TProbe(owner.get(), "A", log);
  new TProbe(a, "A1", log);
  log.clear();
  auto *b = new TProbe(owner.get(), "B", log);
  EXPECT_EQ(log, (Log{"O: insert ", "A: insert ", "A1: insert "}));  // not named yet
  log.clear();
  b->Free();
  // B is still whole while it leaves, so it is told too.
  EXPECT_EQ(log, (Log{"~B", "O: remove B", "A: remove B", "A1: remove B", "B: remove B"}));
}

TEST(ComponentTest, FreeNotificationTellsOfTheRemoval) {
  Log log;
  auto *watched = new TProbe(nullptr, "W", log);
  auto watcher = MakeComponent<TProbe>("X", log);
  watched->FreeNotification(watcher.get());
  log.clear();
  watched->Free();
  EXPECT_EQ(log, (Log{"~W", "X: remove W"}));
}

TEST(ComponentTest, AWatcherThatGoesFirstIsForgotten) {
  Log log;
  auto watched = MakeComponent<TProbe>("W", log);
  auto *watcher = new TProbe(nullptr, "X", log);
  watched->FreeNotification(watcher);
  log.clear();
  watcher->Free();
  EXPECT_EQ(log, (Log{"~X", "W: remove X"}));
  // The destructor of watched must not reach the freed watcher.
}

TEST(ComponentTest, NameBindsTheOwnersFieldOfThatName) {
  auto form = MakeComponent<TMainForm>();
  auto *panel = new TPanel(form.get());
  panel->SetName("wpan");
  EXPECT_EQ(form->WPan, panel);
  panel->SetName("DPan");
  EXPECT_EQ(form->WPan, nullptr);
  EXPECT_EQ(form->DPan, panel);
  panel->Free();
  EXPECT_EQ(form->DPan, nullptr);
}

TEST(ComponentTest, ANameWithoutFieldOnlyNames) {
  auto form = MakeComponent<TMainForm>();
  auto *panel = new TPanel(form.get());
  panel->SetName("LftPan");
  EXPECT_EQ(panel->Name(), "LftPan");
  for (TComponent *field : form->Fields()) EXPECT_EQ(field, nullptr);
  auto loose = MakeComponent<TPanel>();
  loose->SetName("WPan");
  EXPECT_EQ(loose->Name(), "WPan");
}

TEST(ComponentTest, AFieldOfAnotherClassRefusesTheComponent) {
  auto form = MakeComponent<TMainForm>();
  auto *label = new TLabel(form.get());
  label->SetName("TopLbl");
  try {
    label->SetName("TopPan");
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, "Field TopPan of TMainForm cannot hold a TLabel");
  }
  EXPECT_EQ(label->Name(), "TopLbl");
  EXPECT_EQ(form->TopLbl, label);
  EXPECT_EQ(form->TopPan, nullptr);
}

TEST(ComponentTest, OnlyTheBoundComponentClearsItsField) {
  auto form = MakeComponent<TMainForm>();
  auto *first = new TPanel(form.get());
  first->SetName("WPan");
  auto *second = new TPanel(form.get());
  second->SetName("WPan");
  EXPECT_EQ(form->WPan, second);
  first->Free();
  EXPECT_EQ(form->WPan, second);
  first = new TPanel(form.get());
  first->SetName("WPan");
  first->SetName("DPan");
  EXPECT_EQ(form->WPan, nullptr);
}

TEST(ComponentTest, LoadedClearsTheLoadingState) {
  auto panel = MakeComponent<TPanel>();
  EXPECT_EQ(panel->ComponentState(), 0);
  panel->Loaded();
  EXPECT_EQ(panel->ComponentState() & csLoading, 0);
}

TEST(PersistentTest, AssigningUnrelatedObjectsRaises) {
  auto panel = MakeComponent<TPanel>();
  auto label = MakeComponent<TLabel>();
  try {
    panel->Assign(label.get());
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, "Cannot assign a TLabel to a TPanel");
  }
  try {
    panel->Assign(nullptr);
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, "Cannot assign nil to a TPanel");
  }
}

namespace one {
class TTwin : public TComponent {
  LV_CLASS(TTwin, TComponent)

public:
  using TComponent::TComponent;
};
LV_PUBLISH(TTwin) { return {}; }
}  // namespace one

namespace two {
class TTwin : public one::TTwin {
  LV_CLASS(TTwin, one::TTwin)

public:
  using one::TTwin::TTwin;
};
LV_PUBLISH(TTwin) { return {}; }
}  // namespace two

TEST(RegistryTest, RegistersAncestorsUpToTPersistent) {
  RegisterClasses<TMemo>();
  EXPECT_EQ(FindClass("tmemo"), ClassOf<TMemo>());
  EXPECT_EQ(FindClass("TEDIT"), ClassOf<TEdit>());
  EXPECT_EQ(FindClass("TComponent"), ClassOf<TComponent>());
  EXPECT_EQ(FindClass("TPersistent"), ClassOf<TPersistent>());
  EXPECT_EQ(FindClass("TObject"), nullptr);
  EXPECT_EQ(FindClass("TNothing"), nullptr);
}

TEST(RegistryTest, TheLastRegisteredOfOneNameWins) {
  RegisterClasses<one::TTwin>();
  EXPECT_EQ(FindClass("TTwin"), ClassOf<one::TTwin>());
  RegisterClasses<two::TTwin>();
  EXPECT_EQ(FindClass("ttwin"), ClassOf<two::TTwin>());
}

}  // namespace
