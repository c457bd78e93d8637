#include <gtest/gtest.h>

#include <memory>

#include "MainFormBytes.h"
#include "StandIns.h"

namespace {

class MainFormTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterStandIns();
    TControl::LoadedNames.clear();
  }
  const std::string Bytes = MainFormBytes();
};

TEST_F(MainFormTest, DescriptionHas1471Bytes) {
  EXPECT_EQ(Bytes.size(), 1471u);
  EXPECT_EQ(Bytes.substr(0, 4), "TPF0");
}

TEST_F(MainFormTest, ReadsTheWholeWizard) {
  auto form = MakeComponent<TMainForm>();
  TBytesStream stream(Bytes);
  EXPECT_EQ(ReadComponentFromStream(stream, form.get()), form.get());
  ExpectWizardForm(form.get());
  EXPECT_EQ(stream.Position(), 1471);
}

TEST_F(MainFormTest, ReadsTheWholeWizardIntoARootOfItsOwn) {
  TBytesStream stream(Bytes);
  TComponentPtr<TComponent> root(ReadComponentFromStream(stream, nullptr));
  ASSERT_EQ(root->ClassType(), ClassOf<TMainForm>());
  ExpectWizardForm(static_cast<TMainForm *>(root.get()));
}

// Cut anywhere, the description fails as a short stream, and neither a given
// root nor the reader keeps anything of what it made.
TEST_F(MainFormTest, EveryTruncationRaisesAndLeavesNothingBehind) {
  const int liveBefore = TControl::Live;
  std::vector<std::string> faults;
  for (size_t n = 0; n < Bytes.size(); ++n) {
    const std::string at = "at " + std::to_string(n) + ": ";
    for (bool givenRoot : {true, false}) {
      TComponentPtr<TMainForm> form(givenRoot ? new TMainForm(nullptr) : nullptr);
      TBytesStream stream(Bytes.substr(0, n));
      try {
        ReadComponentFromStream(stream, form.get());
        faults.push_back(at + "no exception");
        continue;
      } catch (const EReadError &e) {
        if (e.Message != "Stream read error") faults.push_back(at + e.Message);
      }
      if (stream.Position() != static_cast<int32_t>(n)) faults.push_back(at + "stream moved");
      if (TControl::Live != liveBefore + (givenRoot ? 1 : 0)) faults.push_back(at + "components left alive");
      if (!TControl::LoadedNames.empty()) faults.push_back(at + "Loaded told");
      if (givenRoot && form->ComponentCount() != 0) faults.push_back(at + "components left owned");
      if (givenRoot)
        for (TComponent *field : form->Fields())
          if (field != nullptr) faults.push_back(at + "field left bound");
    }
  }
  EXPECT_EQ(faults, std::vector<std::string>{});
}

}  // namespace
