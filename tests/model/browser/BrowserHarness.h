// The browser tests' harness lives with the other shared test helpers.
#pragma once
#include "support/BrowserHarness.h"
