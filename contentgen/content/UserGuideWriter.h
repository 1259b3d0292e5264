#pragma once
// The user guide of one language as a PDF: letter-size pages drawn with cairo as text in
// embedded fonts (a title band, headings, paragraphs and list steps wrapped to the page, the
// page number at the foot), the document's title in its information. The manifest
// (guide/UserGuide.json) gives the document's title and its pages, each text as an
// [English, Spanish] pair:
//   { "title": [..], "pages": [ { "title": [..], "paragraphs": [ [..], .. ] }, .. ] }
// A paragraph beginning with "- " is a step of a list; a paragraph of a few words without a
// full stop is a heading. Refused (ArtError) when a text is missing or does not fit its page.
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArtFonts.h"
#include "contentgen/content/TextCatalog.h"
#include "engine/base/EngineTypes.h"

constexpr int kGuidePageWidth = 850;   // 8.5 inches at 100 pixels an inch
constexpr int kGuidePageHeight = 1100;
constexpr int kGuideDpi = 100;

std::vector<u8> writeUserGuide(const nlohmann::json& guide, Language language, const ArtFonts& fonts);
