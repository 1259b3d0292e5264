#pragma once
// The four-character kind codes of page objects and of the other resources a picture or a
// library archive holds.
#include "engine/base/EngineTypes.h"

constexpr FourCC kTypeBitmap = fourCC("tBMP");
constexpr FourCC kTypeMovableBitmap = fourCC("tMBM");
constexpr FourCC kTypeFlash = fourCC("tSWF");
constexpr FourCC kTypeFlashAnimation = fourCC("tSWA");
constexpr FourCC kTypeText = fourCC("tTXT");
constexpr FourCC kTypeSound = fourCC("tWAV");
constexpr FourCC kTypeMovie = fourCC("tMOV");
constexpr FourCC kTypeNote = fourCC("tNOT");
constexpr FourCC kTypeExclusions = fourCC("tLIB");
constexpr FourCC kTypeStamp = fourCC("tSTM");
constexpr FourCC kTypeThumbnail = fourCC("tTHM");
constexpr FourCC kTypeAltThumbnail = fourCC("tATX");
// An installed library item's name in Spanish, beside its 'tATX' name in English.
constexpr FourCC kTypeSpanishName = fourCC("tATS");
// Matches every kind in object searches.
constexpr FourCC kTypeAnyObject = fourCC("??PO");
// Our own: the page's object index and a library's entry table, each id 1.
constexpr FourCC kTypePageIndex = fourCC("tPIX");
constexpr FourCC kTypeLibraryHeader = fourCC("tLHD");

// Whether the code names one of the kinds a page may hold.
bool isPageObjectType(FourCC type);
