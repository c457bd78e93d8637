// Every toolkit test process runs with the application object, as the
// program does.
#include <gtest/gtest.h>

#include "toolkit/Forms.h"

namespace {

class TApplicationEnvironment : public testing::Environment {
public:
  void SetUp() override { CreateApplication(); }
  void TearDown() override { FreeApplication(); }
};

const testing::Environment *const environment = testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

}  // namespace
