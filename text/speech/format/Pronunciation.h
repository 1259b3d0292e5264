#pragma once
// One entry of the user's pronunciation list: a word, how to say it (a respelling the speech
// voice reads in its place), and the voice family it belongs to.
#include <string>

#include "engine/base/EngineTypes.h"

struct Pronunciation {
    std::string word;           // cp1252
    std::string pronunciation;  // cp1252
    u32 partOfSpeech = 0;
    u32 family = 0;
    bool operator==(const Pronunciation&) const = default;
};
