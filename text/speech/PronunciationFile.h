#pragma once
// "Words.dic" on disk. Saving writes a new file beside the old one, flushes it and then moves
// it over the old one, so that a kill at any moment leaves the old list or the new one whole;
// a save that fails leaves the old file as it was and says so.
#include <string>

#include "platform/drives/SystemErrors.h"
#include "text/speech/format/PronunciationFormat.h"

// A list file larger than this is not a pronunciation list.
constexpr u32 kPronunciationFileLimit = 16u << 20;

// Reads the whole file at `path` (an engine path, "C:\..."). A file above the size limit is
// refused with kSysInvalidData and nothing read.
plat::SysErr loadPronunciationFile(const std::string& path, PronunciationDecoding& out);
plat::SysErr savePronunciationFile(const std::string& path, const std::vector<Pronunciation>& entries);
