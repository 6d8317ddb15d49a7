#pragma once
// Base of every headless test: each test starts from a fresh fake system.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
};
