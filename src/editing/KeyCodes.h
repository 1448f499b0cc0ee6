#pragma once

// The key codes the editing handlers speak.
namespace KeyCode {
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Space = 32;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
constexpr int Other = 0;

// Maps a Qt key to a code. Only Qt's special keys map to the codes above: a
// printable character's Qt key can collide with them ('%' is 37, '.' is 46).
int fromQtKey(int qtKey);

// The keys of the editor box that move the cursor to another cell.
bool leavesCell(int code);
} // namespace KeyCode
