// Command-line options of zentab fmt.
#pragma once

#include <zentab.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text/width_model.h"

struct FmtOptions {
    bool write = false;  // rewrite the files whose tables change
    bool check = false;  // name the tables not aligned, exit 1 if any
    bool diff = false;   // print what would change, as diff -u
    bool kindGiven = false;
    zentab_document_kind kind = ZENTAB_DOCUMENT_MARKDOWN;  // when kindGiven
    WidthModel widthModel = WidthModel::Narrow;
    bool ambiguousAuto = false;
    int32_t padding = -1;  // -1: the kind's own
    bool help = false;
    std::vector<std::string> files;  // empty: standard input
};

struct FmtOptionsResult {
    FmtOptions options;
    std::string error;  // set when the command line is unusable
};

// args follow "fmt"; ambiguousDefault is ZENTAB_AMBIGUOUS, or null.
FmtOptionsResult parse_fmt_options(const std::vector<std::string>& args,
                                   const char* ambiguousDefault = nullptr);

// A document's kind by its file name: .md, .markdown and .mkd are Markdown,
// .org Org, .rst and .rest reStructuredText, anything else text.
zentab_document_kind kind_of_file(const std::string& path);

const char* fmt_usage_text();
