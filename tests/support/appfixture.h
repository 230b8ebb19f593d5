#pragma once
// The former name of the started program in tests, kept for the file-drop
// tests until they use TestApp by its own name.

#include "testapp.h"

namespace zp::testing {
using AppFixture = zptest::TestApp;
} // namespace zp::testing
