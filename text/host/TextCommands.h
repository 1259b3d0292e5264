#pragma once
// The messages both text editors answer: the screens' Cut, Copy and Paste commands, and the
// codes of their undo steps, which the undo manager sends back to a step's owner for Undo and
// Redo and whose menu texts are the [UndoStrings] entries spelled as the code.
#include "engine/base/EngineTypes.h"

constexpr u32 kTextCmdCut = 6619;
constexpr u32 kTextCmdCopy = 6620;
constexpr u32 kTextCmdPaste = 6621;

constexpr FourCC kTextStepNone = fourCC("tNUL");
constexpr FourCC kTextStepTyping = fourCC("txTy");
constexpr FourCC kTextStepStyle = fourCC("tStl");
constexpr FourCC kTextStepJustify = fourCC("tJst");
constexpr FourCC kTextStepCut = fourCC("tCut");
constexpr FourCC kTextStepPaste = fourCC("tPst");
constexpr FourCC kTextStepColour = fourCC("tCol");
// The page editor's step after a restore: the next restore redoes it.
constexpr FourCC kTextStepRedo = fourCC("tRdo");
