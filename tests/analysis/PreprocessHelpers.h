#pragma once

#include "CapturedOutput.h"
#include "FileIndex.h"
#include "InputSet.h"
#include "Preprocessor.h"
#include "ProjectFile.h"
#include "ScanHelpers.h"
#include "TokenText.h"
#include "TokenType.h"

#include <memory>
#include <string>
#include <vector>

// Spells tokens back as text: a line end for each end-of-line token, a blank
// after every other token.
inline std::string Spell(const std::vector<PPToken>& tokens)
{
    std::string out;
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k].type == ENDLINE) {
            if (!out.empty() && out.back() == ' ') {
                out.pop_back();
            }
            out += '\n';
        } else {
            out += TokenSpelling(tokens, static_cast<int>(k));
            out += ' ';
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

// One project file preprocessed from source text (or loaded from disk).
struct PreprocessRun {
    CInputSet input;
    CFileIndex index;
    std::unique_ptr<CProjectFile> file;

    PreprocessRun()
    {
        input.verbose = false;
        input.searchSystemIncludes = true;
    }

    std::string Text(const std::string& source, const std::string& path = "/nowhere/main.c")
    {
        file = std::make_unique<CProjectFile>(path.c_str(), &input, input.defines);
        file->scan.tokens = ScanText(source);
        CPreprocessor(file.get(), &input, &index).Run();
        return Spell(file->scan.tokens);
    }

    std::string File(const std::string& path)
    {
        file = std::make_unique<CProjectFile>(path.c_str(), &input, input.defines);
        file->Load(GetSourceScanner());
        CPreprocessor(file.get(), &input, &index).Run();
        return Spell(file->scan.tokens);
    }

    bool Defined(const std::string& name) const { return file->macros.count(name) != 0; }
    std::string Body(const std::string& name) const { return Spell(file->macros.at(name)->body); }
};

// The body text of a scanned line, for comparing with a result.
inline std::string Tokens(const std::string& source)
{
    return Spell(ScanText(source));
}
