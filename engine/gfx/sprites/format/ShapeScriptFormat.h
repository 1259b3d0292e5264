#pragma once
// Shape scripts ('tSCR', one per shape number) and per-frame offset tables ('REGS').
// A script is a 26-byte header of big-endian words (the sound base at 2, the shape's default
// rectangle at 16) and records from byte 26, each a type byte and a length byte: a frame
// record's length byte counts its parts (frame, dx, dy words each); any other record's length
// byte is its whole even length, header included; type 0 ends the script, and so does a
// length byte of 0. An offset table is an array of big-endian words indexed by frame number.
// Both are converted to machine order once after loading; type and length bytes stay as they
// are. Scripts come from files: conversion checks every record against the block and refuses
// a script that runs off its end. Pure: any thread may call.
#include <span>

#include "engine/base/EngineTypes.h"

constexpr u32 kShapeScriptHeaderWords = 13;
constexpr u32 kShapeScriptFirstRecord = 26;
constexpr u32 kShapeScriptSoundBase = 2;
constexpr u32 kShapeScriptRect = 16;
constexpr u8 kShapeRecordEnd = 0;
constexpr u8 kShapeRecordWait = 1;
constexpr u8 kShapeRecordSound = 3;
constexpr u8 kShapeRecordTiming = 4;
constexpr u8 kShapeRecordEvent = 9;
constexpr u8 kShapeRecordPalette = 15;
constexpr u8 kShapeRecordFrame = 16;
constexpr u32 kShapePartSize = 6;

// Swaps the header words and the words of every record up to the end; kShapeErrDamagedScript
// (nothing changed) when the header or a record does not fit, a record's length is odd or
// below 2, or no end is reached inside the block.
EngineErr shapeScriptConvert(std::span<u8> script);

void shapeOffsetTableConvert(std::span<u8> table);
// The machine-order entry for `frame`; 0 for a frame the table does not reach.
u16 shapeOffsetTableEntry(std::span<const u8> table, u16 frame);
