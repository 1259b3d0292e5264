#include "platform/print/cups/CupsJobOptions.h"

namespace plat::print {

std::vector<std::pair<std::string, std::string>> cupsJobOptions(const PrinterSettings& settings) {
    std::vector<std::pair<std::string, std::string>> options;
    const uint16_t copies = settings.copies == 0 ? 1 : settings.copies;
    options.emplace_back("copies", std::to_string(copies));
    if (copies > 1)
        options.emplace_back("multiple-document-handling", settings.collate ? "separate-documents-collated-copies"
                                                                            : "separate-documents-uncollated-copies");
    if (!settings.paper.name.empty()) options.emplace_back("media", settings.paper.name);
    options.emplace_back("print-color-mode", settings.color == kColorMonochrome ? "monochrome" : "color");
    return options;
}

}  // namespace plat::print
