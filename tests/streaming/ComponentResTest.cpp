#include <gtest/gtest.h>

#include "MainFormBytes.h"
#include "StandIns.h"

namespace {

// Reads its own description (resource TINNERFRAME) when it is created.
class TInnerFrame : public TWinControl {
  LV_CLASS(TInnerFrame, TWinControl)

public:
  explicit TInnerFrame(TComponent *AOwner) : TWinControl(AOwner) {
    InitInheritedComponent(this, ClassOf<TWinControl>());
  }
  TButton *InnerBtn = nullptr;
};

class TOuterForm : public TForm {
  LV_CLASS(TOuterForm, TForm)

public:
  using TForm::TForm;
  TInnerFrame *Frame = nullptr;
};

// A form class without a description of its own.
class TBareForm : public TForm {
  LV_CLASS(TBareForm, TForm)

public:
  using TForm::TForm;
};

LV_PUBLISH(TInnerFrame) {
  static const TFieldInfo fields[] = {Field<&TInnerFrame::InnerBtn>("InnerBtn")};
  return {.Fields = fields};
}

LV_PUBLISH(TOuterForm) {
  static const TFieldInfo fields[] = {Field<&TOuterForm::Frame>("Frame")};
  return {.Fields = fields};
}

LV_PUBLISH(TBareForm) { return {}; }

class ComponentResTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterStandIns();
    RegisterClasses<TInnerFrame>();
    TControl::LoadedNames.clear();
  }
};

TEST_F(ComponentResTest, InitInheritedComponentReadsTheWizardFromItsResource) {
  auto form = MakeComponent<TMainForm>();
  InitInheritedComponent(form.get(), ClassOf<TForm>());
  ExpectWizardForm(form.get());
  EXPECT_EQ(GlobalLoaded, nullptr);
}

TEST_F(ComponentResTest, ResourceNamesAreFoundInAnyCase) {
  auto form = MakeComponent<TMainForm>();
  EXPECT_EQ(ReadComponentRes("tMainForm", form.get()), form.get());
  ExpectWizardForm(form.get());
}

TEST_F(ComponentResTest, NestedReadingKeepsItsOwnLoadingList) {
  auto outer = MakeComponent<TOuterForm>();
  InitInheritedComponent(outer.get(), ClassOf<TForm>());
  // The frame's own description is loaded when the frame is made; the outer
  // list then tells the outer components, the frame again among them.
  EXPECT_EQ(TControl::LoadedNames, (std::vector<std::string>{"Inner", "InnerBtn", "Outer", "Frame", "Lbl"}));
  ASSERT_NE(outer->Frame, nullptr);
  EXPECT_EQ(outer->Frame->Assigned, (std::vector<std::string>{"Width=10", "Top=5"}));
  ASSERT_NE(outer->Frame->InnerBtn, nullptr);
  EXPECT_EQ(outer->Frame->InnerBtn->Owner(), outer->Frame);
  EXPECT_EQ(outer->ComponentCount(), 2);
  EXPECT_EQ(GlobalLoaded, nullptr);
}

TEST_F(ComponentResTest, AMissingResourceRaises) {
  auto form = MakeComponent<TBareForm>();
  try {
    InitInheritedComponent(form.get(), ClassOf<TForm>());
    FAIL() << "no exception";
  } catch (const EReadError &e) {
    EXPECT_EQ(e.Message, "Resource TBareForm not found");
  }
  EXPECT_EQ(GlobalLoaded, nullptr);
}

}  // namespace
