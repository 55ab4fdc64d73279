#pragma once
// The key assignment: the functions of the side keys PF1 (0x11D) and
// PF2 (0x11E). The list position is not the stored code for the first two
// entries: "None" stores 255, "Autodial" stores 0; code 1 is never stored.

#include <vector>

#include "features/Choices.h"

namespace mx615 {

enum class FunctionKey { Pf1, Pf2 };
inline constexpr FunctionKey kFunctionKeys[] = {FunctionKey::Pf1, FunctionKey::Pf2};

constexpr int kPf1Address = 0x11D, kPf2Address = 0x11E;
constexpr int kKeyNone = 0, kKeyAutodial = 1;  // list positions

int Address(FunctionKey key);
const Bilingual& Label(FunctionKey key);
const char* ControlName(FunctionKey key);  // "Combo_pf1", "Combo_pf2"

// The twelve functions with their codes: 255, 0, 2, 3, ... 11.
const ChoiceList& KeyFunctionChoices();

// The position shown for the stored code: beyond 11 (255 included) "None";
// 0 and 1 both "Autodial"; otherwise the code itself.
int ShownKeyPosition(const ProgramState& state, FunctionKey key);
// Stores the code of the entry at position (only that key's byte); a
// position outside the list stores nothing.
void StoreKeyPosition(ProgramState& state, FunctionKey key, int position);

std::vector<SettingLine> KeySettings(const ProgramState& state, bool chinese);

}  // namespace mx615
