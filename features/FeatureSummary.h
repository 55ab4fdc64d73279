#pragma once
// Every radio-wide setting as the feature windows show it, window by window:
// the optional features, the keys, the scan information, the test-mode
// frequencies and the embedded messages. The command-line tool prints these
// and compares two images by them.

#include <string>
#include <vector>

#include "features/Choices.h"

namespace mx615 {

struct SettingSection {
    std::string title = {};   // the window's caption
    std::vector<SettingLine> lines = {};
    // The service technician's (the test-mode frequencies): kept off a
    // customer's channel sheet.
    bool service = false;
};

std::vector<SettingSection> FeatureSections(const ProgramState& state, bool chinese);

}  // namespace mx615
