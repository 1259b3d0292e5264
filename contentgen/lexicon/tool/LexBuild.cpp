// lexbuild: makes a language's ".env" and ".lex" files from word lists and a rules file.
//   lexbuild --language N --rules FILE --env OUT --lex OUT [--words FILE]... [--expanded FILE]...
//            [--expand-affixes AFF DIC] [--hunspell AFF DIC] [--sample N] [--flags HEX] [--no-compress] [--write-words OUT]
//            [--typo-lex OUT] [--prox-rules FILE] [--specials FILE] [--suffix-classes FILE] [--keep FILE]
//            [--common FILE]... [--own-words FILE]... [--common-text FILE]... [--accepted-only FILE]...
//            [--common-lex OUT --more-lex OUT --more-typo-lex OUT]
// --expand-affixes adds a dictionary's forms expanded by the builder's own affix expander;
// --expanded lists and those forms are kept only where the peer spelling
// library accepts them, when it is given; --sample keeps N evenly spaced words of the union;
// --write-words lists the words taken (UTF-8), for the tests and benchmarks that use them;
// --typo-lex also writes the words as a letter tree, which the typo correction walks, with the
// proximity encoder of --prox-rules and the special words of --specials and of the affix file's
// whole-word replacements; --suffix-classes gives stems suffix classes (the lexicon then leaves
// out the forms they stand for); --keep names words a sample always takes when the word lists
// have them: the last field of each line not starting with '#' (a test set's "typed wanted").
// --common word lists and the words of --common-text texts are the words offered first, and
// --accepted-only lists words never offered (contentgen/lexicon/SuggestionTiers.h); --own-words
// are our own lists of common words, taken even where the dictionary lacks them: with them,
// --lex still holds every word (the lexicon that verifies), --common-lex and --typo-lex the
// common words, --more-lex and --more-typo-lex the other words offered after them, all read
// with the one phonetic file of --env. Spanish verb forms that the dictionary writes with
// attached pronouns get the classes that let them take them (contentgen/lexicon/PronounClasses.h).
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "contentgen/lexicon/AffixExpander.h"
#include "contentgen/lexicon/LexBuilder.h"
#include "contentgen/lexicon/PronounClasses.h"
#include "contentgen/lexicon/ProxRules.h"
#include "contentgen/lexicon/SpecialWords.h"
#include "contentgen/lexicon/SuggestionTiers.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "contentgen/lexicon/WordSource.h"
#include "spell/SplErrors.h"

#ifdef LEXBUILD_HUNSPELL
#include <hunspell/hunspell.h>
#endif

namespace {

int usage(const char* message) {
    std::fprintf(stderr, "lexbuild: %s\n", message);
    return 2;
}

bool readText(const std::string& path, std::string* text) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    *text = all.str();
    return bool(in);
}

// The letter tree's encoder and special-word sections.
bool typoExtras(const std::string& proxPath, const std::string& specialsPath, const std::string& affPath, int language,
                TrieLexExtras* extras, std::string* error) {
    std::string text;
    if (!proxPath.empty()) {
        if (!readText(proxPath, &text)) return *error = "cannot read " + proxPath, false;
        if (!buildProxEncoder(text, &extras->encoder, error)) return *error = proxPath + ": " + *error, false;
    }
    std::vector<SpecialWord> specials;
    if (!specialsPath.empty()) {
        if (!readText(specialsPath, &text)) return *error = "cannot read " + specialsPath, false;
        if (!parseSpecialWords(text, language, &specials, error)) return *error = specialsPath + ": " + *error, false;
    }
    if (!affPath.empty() && !affixFileSpecials(affPath, language, &specials))
        return *error = "cannot read " + affPath, false;
    return buildSpecialsSection(specials, &extras->specials, error);
}

// The kept words of a test set that the word lists (sorted) hold, sorted.
bool readKeptWords(const std::string& path, const std::vector<std::string>& all, std::vector<std::string>* keep) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string field, last;
        while (fields >> field) last = field;
        if (std::binary_search(all.begin(), all.end(), last)) keep->push_back(last);
    }
    std::sort(keep->begin(), keep->end());
    keep->erase(std::unique(keep->begin(), keep->end()), keep->end());
    return true;
}

// Writes beside the target and renames, so that a reader never sees half a file.
bool writeImage(const std::string& path, const std::vector<u8>& image) {
    std::string temporary = path + ".tmp";
    std::ofstream out(temporary, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    out.close();
    if (!out || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool writeTree(const std::string& path, const std::vector<std::string>& words, int language,
               const TrieLexExtras& extras) {
    std::vector<u8> image;
    u32 skipped = 0;
    std::string error;
    if (!buildTrieLexImage(words, {}, language, &image, &skipped, &error, extras)) {
        std::fprintf(stderr, "lexbuild: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (!writeImage(path, image)) {
        std::fprintf(stderr, "lexbuild: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("lexbuild: %s: letter tree of %zu bytes (%u words skipped)\n", path.c_str(), image.size(), skipped);
    return true;
}

bool writeLexicon(LexBuildInput& input, const std::string& what, size_t unconverted, size_t rejected) {
    input.headerText = "Tumblo " + what + "\nlanguage " + std::to_string(input.language) + "\n" +
                       std::to_string(input.words.size()) + " source words\n";
    LexBuildReport report;
    std::string error;
    if (!buildLexicon(input, &report, &error)) {
        std::fprintf(stderr, "lexbuild: %s: %s\n", input.lexPath.c_str(), error.c_str());
        return false;
    }
    std::printf("lexbuild: %s: %u words (%zu outside the character set, %zu refused by the peer, %u skipped), "
                "%u entries (%u stems in %u suffix classes standing for %u forms), %u blocks, %u endings, %u digrams, "
                "string table %u bytes; %u spellings verified\n",
                input.lexPath.c_str(), report.words, unconverted, rejected, report.skipped, report.entries,
                report.classedStems, report.suffixClasses, report.omittedForms,
                report.image.blocks, report.image.endings, report.image.digrams, report.image.stringSize,
                report.verified);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    LexBuildInput input;
    std::string rulesPath, affPath, dicPath, expandAff, expandDic;
    std::vector<std::string> wordFiles, expandedFiles, keepFiles;
    size_t sample = 0;
    std::string wordsOut, typoOut, proxPath, specialsPath, commonOut, moreOut, moreTypoOut;
    std::vector<std::string> commonFiles, commonTexts, acceptedFiles, ownFiles;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
        if (a == "--language") input.language = std::stoi(next());
        else if (a == "--rules") rulesPath = next();
        else if (a == "--env") input.envPath = next();
        else if (a == "--lex") input.lexPath = next();
        else if (a == "--words") wordFiles.push_back(next());
        else if (a == "--expanded") expandedFiles.push_back(next());
        else if (a == "--hunspell") affPath = next(), dicPath = next();
        else if (a == "--expand-affixes") expandAff = next(), expandDic = next();
        else if (a == "--sample") sample = std::stoul(next());
        else if (a == "--keep") keepFiles.push_back(next());
        else if (a == "--flags") input.flags = u16(std::stoul(next(), nullptr, 16));
        else if (a == "--no-compress") input.compress = false;
        else if (a == "--write-words") wordsOut = next();
        else if (a == "--typo-lex") typoOut = next();
        else if (a == "--prox-rules") proxPath = next();
        else if (a == "--specials") specialsPath = next();
        else if (a == "--common") commonFiles.push_back(next());
        else if (a == "--common-text") commonTexts.push_back(next());
        else if (a == "--own-words") ownFiles.push_back(next());
        else if (a == "--accepted-only") acceptedFiles.push_back(next());
        else if (a == "--common-lex") commonOut = next();
        else if (a == "--more-lex") moreOut = next();
        else if (a == "--more-typo-lex") moreTypoOut = next();
        else if (a == "--suffix-classes") {
            std::string path = next();
            if (!readText(path, &input.suffixRulesText)) return usage(("cannot read " + path).c_str());
        }
        else return usage(("unknown argument " + a).c_str());
    }
    if (input.language == 0 || rulesPath.empty() || input.envPath.empty() || input.lexPath.empty())
        return usage("--language, --rules, --env and --lex are required");
    std::ifstream rules(rulesPath);
    if (!rules) return usage(("cannot read " + rulesPath).c_str());
    std::stringstream text;
    text << rules.rdbuf();
    input.rulesText = text.str();

    SuggestionTiers tiers;
    std::vector<std::string> listed;
    for (const std::string& f : commonFiles)
        if (!readWordFile(f, &listed)) return usage(("cannot read " + f).c_str());
    for (const std::string& f : commonTexts)
        if (!readTextWords(f, &listed)) return usage(("cannot read " + f).c_str());
    // Our own lists carry comment lines.
    auto comment = [](const std::string& w) { return w[0] == '#'; };
    for (const std::string& w : listed)
        if (!comment(w)) tiers.addCommon(w);
    listed.clear();
    for (const std::string& f : acceptedFiles)
        if (!readWordFile(f, &listed)) return usage(("cannot read " + f).c_str());
    for (const std::string& w : listed)
        if (!comment(w)) tiers.addAcceptedOnly(w);
    if (tiers.active() && (commonOut.empty() || moreOut.empty() || (!typoOut.empty() && moreTypoOut.empty())))
        return usage("common words need --common-lex and --more-lex, and --more-typo-lex with --typo-lex");

    std::vector<std::string> plain, expanded;
    for (const std::string& f : wordFiles)
        if (!readWordFile(f, &plain)) return usage(("cannot read " + f).c_str());
    listed.clear();
    for (const std::string& f : ownFiles)
        if (!readWordFile(f, &listed)) return usage(("cannot read " + f).c_str());
    for (const std::string& w : listed) {
        if (comment(w)) continue;
        tiers.addCommon(w);
        plain.push_back(w);
    }
    for (const std::string& f : expandedFiles)
        if (!readWordFile(f, &expanded)) return usage(("cannot read " + f).c_str());
    if (!expandAff.empty()) {
        std::string error;
        auto family = [&](const std::vector<std::string>& forms) {
            expanded.insert(expanded.end(), forms.begin(), forms.end());
            tiers.addFamily(forms);
        };
        if (!expandAffixFamilies(expandAff, expandDic, family, &error)) return usage(error.c_str());
    }
    std::vector<std::string> all = plain;
    all.insert(all.end(), expanded.begin(), expanded.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    // From every form, before a sample is drawn.
    if (input.language == kSplLangSpanish) input.classBytes = spanishPronounClasses(all);
    // With the peer's filter a third of some expanded lists goes, so twice the sample is drawn
    // first and the sample taken from what is left.
    auto evenly = [](std::vector<std::string>* words, size_t n) {
        if (n == 0 || n >= words->size()) return;
        std::vector<std::string> picked;
        for (size_t k = 0; k < n; ++k) picked.push_back((*words)[k * words->size() / n]);
        words->swap(picked);
    };
    std::vector<std::string> keep;
    for (const std::string& f : keepFiles)
        if (!readKeptWords(f, all, &keep)) return usage(("cannot read " + f).c_str());
    evenly(&all, affPath.empty() ? sample : 2 * sample);
    all.insert(all.end(), keep.begin(), keep.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    std::sort(plain.begin(), plain.end());
    size_t rejected = 0;
#ifdef LEXBUILD_HUNSPELL
    Hunhandle* peer = affPath.empty() ? nullptr : Hunspell_create(affPath.c_str(), dicPath.c_str());
#endif
    size_t unconverted = 0;
    std::vector<std::string> kept, taken;
    // The common words, the others and those accepted only (character set 1).
    std::vector<std::string> tierWords[3];
    std::vector<std::string> allWords;
    for (const std::string& w : all) {
#ifdef LEXBUILD_HUNSPELL
        if (peer != nullptr && !std::binary_search(plain.begin(), plain.end(), w) && !Hunspell_spell(peer, w.c_str())) {
            ++rejected;
            continue;
        }
#endif
        kept.push_back(w);
    }
    std::vector<std::string> keptAlways;
    for (const std::string& w : kept)
        if (std::binary_search(keep.begin(), keep.end(), w)) keptAlways.push_back(w);
    evenly(&kept, sample);
    kept.insert(kept.end(), keptAlways.begin(), keptAlways.end());
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    for (const std::string& w : kept) {
        std::string bytes;
        if (!utf8ToSet1(w, &bytes)) {
            ++unconverted;
            continue;
        }
        tierWords[int(tiers.tierOf(w))].push_back(bytes);
        allWords.push_back(bytes);
        taken.push_back(w);
    }
#ifdef LEXBUILD_HUNSPELL
    if (peer != nullptr) Hunspell_destroy(peer);
#endif

    if (!wordsOut.empty()) {
        std::ofstream out(wordsOut);
        for (const std::string& w : taken) out << w << '\n';
        if (!out) return usage(("cannot write " + wordsOut).c_str());
    }

    if (!typoOut.empty()) {
        TrieLexExtras extras;
        std::string error;
        if (!typoExtras(proxPath, specialsPath, expandAff.empty() ? affPath : expandAff, input.language, &extras,
                        &error)) {
            std::fprintf(stderr, "lexbuild: %s: %s\n", typoOut.c_str(), error.c_str());
            return 1;
        }
        if (!writeTree(typoOut, tierWords[0], input.language, extras)) return 1;
        if (tiers.active() && !writeTree(moreTypoOut, tierWords[1], input.language, {})) return 1;
    }
    // The lexicons of the words offered share the phonetic file of the one of all words.
    if (tiers.active()) {
        LexBuildInput common = input, more = input;
        common.words = tierWords[0];
        common.lexPath = commonOut;
        common.siblingWords = allWords;
        more.words = tierWords[1];
        more.lexPath = moreOut;
        more.siblingWords = allWords;
        if (!writeLexicon(common, "lexicon of the common words", unconverted, rejected) ||
            !writeLexicon(more, "lexicon of the other words", unconverted, rejected))
            return 1;
    }
    input.words = allWords;
    return writeLexicon(input, "main lexicon", unconverted, rejected) ? 0 : 1;
}
