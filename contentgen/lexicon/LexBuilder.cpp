#include "contentgen/lexicon/LexBuilder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "contentgen/lexicon/PhonRules.h"
#include "contentgen/lexicon/SuffixClasses.h"
#include "spell/SplCharSets.h"
#include "spell/SplCompat.h"
#include "spell/SplErrors.h"
#include "spell/SplLexicon.h"
#include "spell/SplPhonetic.h"
#include "spell/SplShape.h"
#include "spell/SplVerify.h"

namespace {

const u8* bytes(const std::string& s) { return reinterpret_cast<const u8*>(s.c_str()); }

// Writes beside the target and renames, so that a reader never sees half a file.
bool writeFile(const std::string& path, const std::vector<u8>& image, std::string* error) {
    std::string temporary = path + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(image.data(), 1, image.size(), f) == image.size();
    if (f != nullptr) ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temporary.c_str());
        *error = "cannot write " + path;
    }
    return ok;
}

struct Form {
    std::vector<u8> codes;
    std::string example;
    u8 classByte = 0;
};

bool collectForms(const LexBuildInput& input, std::map<std::string, Form>* forms, LexBuildReport* report) {
    for (const std::string& word : input.words) {
        if (word.empty() || word.size() >= size_t(kSplMaxWord)) {
            ++report->skipped;
            continue;
        }
        bool taken = false;
        auto cls = input.classBytes.find(word);
        for (const std::string& v : lexWordVariants(word, input.language)) {
            u8 out[kSplShapeOutSize];
            u32 flags = doflags(bytes(v), out, input.language);
            if (flags == 0) continue;
            Form& form = (*forms)[reinterpret_cast<const char*>(out)];
            if (form.example.empty()) form.example = v;
            if (cls != input.classBytes.end()) form.classByte = cls->second;
            bool covered = false;
            for (u8 c : form.codes) covered = covered || compatfl(flags, c);
            if (!covered) form.codes.push_back(u8(flags));
            taken = true;
        }
        if (taken) ++report->words;
        else ++report->skipped;
    }
    return true;
}

bool verifyAll(const LexBuildInput& input, LexBuildReport* report, std::string* error) {
    u32 err = 0;
    SplPhonTable* phon = splPhonOpen(input.envPath.c_str(), 0, &err);
    if (phon == nullptr) {
        *error = "reopening the phonetic file failed with error " + std::to_string(err);
        return false;
    }
    SplMemManager* mm = splMemOpen(2, 8);
    SplLexicon* lex = splLexOpen(input.lexPath.c_str(), 0, mm, phon, &err);
    if (lex == nullptr) {
        *error = "reopening the lexicon failed with error " + std::to_string(err);
        splMemClose(mm);
        splPhonClose(phon);
        return false;
    }
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    splCorrCtxAddLexicon(lex, 0, kSlotVerify | kSlotVerifyFolded, ctx);
    SplVerifyRec rec;
    splVerifyInit(ctx, 0, u32(input.language), &rec);
    std::vector<std::string> failures;
    for (const std::string& word : input.words) {
        if (word.empty() || word.size() >= size_t(kSplMaxWord)) continue;
        for (const std::string& v : lexWordVariants(word, input.language)) {
            u8 out[kSplShapeOutSize];
            if (doflags(bytes(v), out, input.language) == 0) continue;
            u32 result = 0;
            if (splVerifyWord(bytes(v), &rec, &result)) ++report->verified;
            else if (failures.size() < 10) failures.push_back(v);
            else failures.back() = "...";
        }
    }
    splCorrCtxFree(ctx);
    splLexClose(lex);
    splMemClose(mm);
    splPhonClose(phon);
    if (!failures.empty()) {
        *error = "words not verified after reopening:";
        for (const std::string& f : failures) *error += " " + f;
        return false;
    }
    return true;
}

void addCharacters(const std::map<std::string, Form>& forms, int language, std::set<u8>* characters) {
    for (const auto& [form, info] : forms)
        for (char c : form) {
            if (u8(c) == kSplLrSep) break;
            characters->insert(splPhonFrameChar(u8(c), language));
        }
}

// Gives stems their classes and leaves out the forms the classes stand for; the tag area.
bool applySuffixClasses(const LexBuildInput& input, std::map<std::string, Form>* forms, std::vector<u8>* tagArea,
                        LexBuildReport* report, std::string* error) {
    SuffixRules rules;
    if (!parseSuffixRules(input.suffixRulesText, &rules, error)) return false;
    std::map<std::string, SuffixFormInfo> infos;
    for (const auto& [form, info] : *forms) infos[form] = {info.codes, info.classByte};
    SuffixClassPlan plan = planSuffixClasses(infos, rules);
    for (const auto& [form, cls] : plan.classBytes) (*forms)[form].classByte = cls;
    for (const std::string& form : plan.omitted) forms->erase(form);
    report->classedStems = u32(plan.classBytes.size());
    report->omittedForms = u32(plan.omitted.size());
    report->suffixClasses = u32(plan.masks.size() - 1);
    return buildTagArea(rules, plan.masks, tagArea, error);
}

}  // namespace

std::vector<std::string> lexWordVariants(const std::string& word, int language) {
    const u8* upper = splUpperTable(language);
    std::vector<std::string> variants{word};
    if (upper == nullptr || word.empty()) return variants;
    std::string capitalised = word, capitals = word;
    capitalised[0] = char(upper[u8(word[0])]);
    for (char& c : capitals) c = char(upper[u8(c)]);
    for (const std::string& v : {capitalised, capitals})
        if (std::find(variants.begin(), variants.end(), v) == variants.end()) variants.push_back(v);
    return variants;
}

bool buildLexicon(const LexBuildInput& input, LexBuildReport* report, std::string* error) {
    *report = LexBuildReport{};
    PhonRules rules;
    if (!parsePhonRules(input.rulesText, input.language, &rules, error)) return false;
    std::map<std::string, Form> forms;
    collectForms(input, &forms, report);
    std::vector<u8> tagArea;
    if (!input.suffixRulesText.empty() && !applySuffixClasses(input, &forms, &tagArea, report, error)) return false;

    std::set<u8> characters;
    addCharacters(forms, input.language, &characters);
    if (!input.siblingWords.empty()) {
        LexBuildInput siblings;
        siblings.language = input.language;
        siblings.words = input.siblingWords;
        std::map<std::string, Form> siblingForms;
        LexBuildReport ignored;
        collectForms(siblings, &siblingForms, &ignored);
        addCharacters(siblingForms, input.language, &characters);
    }
    std::vector<u8> envImage;
    if (!buildPhonImage(rules, phonPairsFor(rules, characters), &envImage, error)) return false;
    if (!writeFile(input.envPath, envImage, error)) return false;
    u32 err = 0;
    SplPhonTable* phon = splPhonOpen(input.envPath.c_str(), 0, &err);
    if (phon == nullptr) {
        *error = "the phonetic file just written is refused with error " + std::to_string(err);
        return false;
    }

    std::vector<LexEntrySpec> entries;
    entries.reserve(forms.size());
    std::vector<std::string> examples;
    int mode = (input.flags & kLexFlagSingleBin) ? 1 : 0;
    for (const auto& [form, info] : forms) {
        u8 key[kSplMaxKey + 1];
        u8 back[kSplShapeOutSize * 2];
        int n = splWordToKey(bytes(form), key, mode, phon);
        bool lossless = n > 0 && (form.find(char(kSplLrSep)) != std::string::npos ||
                                  (unphfull(key, back, phon) >= 0 && form == reinterpret_cast<const char*>(back)));
        if (!lossless) {
            splPhonClose(phon);
            *error = "the phonetic rules cannot code \"" + info.example + "\" without loss";
            return false;
        }
        std::vector<u8> codes = info.codes;
        if (info.classByte >= 128) codes.push_back(info.classByte);
        entries.push_back({std::string(reinterpret_cast<const char*>(key), size_t(n)), codes});
        examples.push_back(info.example);
    }
    splPhonClose(phon);
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return splKeyCompare(bytes(entries[a].key), bytes(entries[b].key)) < 0;
    });
    std::vector<LexEntrySpec> sorted;
    sorted.reserve(entries.size());
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && entries[order[i]].key == entries[order[i - 1]].key) {
            *error = "\"" + examples[order[i]] + "\" and \"" + examples[order[i - 1]] + "\" share a key";
            return false;
        }
        sorted.push_back(std::move(entries[order[i]]));
    }
    report->entries = u32(sorted.size());

    LexImageOptions options;
    options.language = input.language;
    options.flags = input.flags;
    options.letters = u32(envImage[6] | (envImage[7] << 8));
    options.compress = input.compress;
    options.headerText = input.headerText;
    options.tagArea = tagArea;
    std::vector<u8> lexImage;
    if (!buildLexImage(sorted, options, &lexImage, &report->image, error)) return false;
    if (!writeFile(input.lexPath, lexImage, error)) return false;
    return verifyAll(input, report, error);
}
