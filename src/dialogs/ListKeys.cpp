#include "dialogs/ListKeys.h"

#include <array>

namespace korv {

namespace {

struct Binding {
  std::uint16_t key;
  bool shift;
  ListCommand command;
};

constexpr std::uint16_t kSpace = 0x20, kF2 = 0x71, kF3 = 0x72, kF7 = 0x76, kF8 = 0x77, kF9 = 0x78;

constexpr std::array<Binding, 14> kBindings{{
    {kSpace, false, ListCommand::Space},
    {kF8, false, ListCommand::F8},
    {kF9, false, ListCommand::F9},
    {'D', false, ListCommand::D},
    {'R', false, ListCommand::R},
    {'X', false, ListCommand::X},
    {'8', true, ListCommand::ShiftEight},
    {'8', false, ListCommand::Eight},
    {kF2, false, ListCommand::F2},
    {kF3, false, ListCommand::F3},
    {kF7, false, ListCommand::F7},
    {'P', false, ListCommand::P},
    {'F', false, ListCommand::F},
    {kF7, true, ListCommand::ShiftF7},
}};

}  // namespace

std::optional<ListCommand> ListKeyCommand(std::uint16_t virtualKey, KeyState modifiers) {
  if (modifiers.ctrl || modifiers.alt) return std::nullopt;
  for (const Binding& b : kBindings)
    if (b.key == virtualKey && b.shift == modifiers.shift) return b.command;
  return std::nullopt;
}

}  // namespace korv
