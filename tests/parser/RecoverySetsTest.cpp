// Checks, rule by rule, the set of tokens at which the generated parser
// resumes after an error against the sets listed in RecoverySets.txt.

#include "TokenType.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TokenSet = std::set<std::string>;

std::string ReadFile(const char* path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// rule name -> number of the set its handler recovers with, or -1 when the
// rule has no handler of its own.
std::map<std::string, int> RecoveryOfEachRule(const std::string& source)
{
    std::map<std::string, int> rules;
    const std::regex ruleStart(R"(\S[^\n]*\bCCppParser::(\w+)\()");
    const std::regex recover(R"(recover\(ex,_tokenSet_(\d+)\))");
    std::istringstream in(source);
    std::string line;
    std::string current;
    std::smatch match;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '\t' && line[0] != ' ' &&
            std::regex_search(line, match, ruleStart) && match[1] != "CCppParser" &&
            line.find("_tokenSet_") == std::string::npos &&
            line.find("tokenNames") == std::string::npos) {
            current = match[1];
            if (current != "initializeASTFactory")
                rules.emplace(current, -1);
            continue;
        }
        if (!current.empty() && std::regex_search(line, match, recover))
            rules[current] = std::stoi(match[1]);
    }
    return rules;
}

// set number -> token names, decoded from the 32-bit words of its data.
std::map<int, TokenSet> TokenSetsOf(const std::string& source)
{
    std::map<int, TokenSet> sets;
    const std::regex data(R"(_tokenSet_(\d+)_data_\[\] = \{([^}]*)\})");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), data);
         it != std::sregex_iterator(); ++it) {
        TokenSet members;
        std::istringstream words((*it)[2].str());
        std::string word;
        int index = 0;
        while (std::getline(words, word, ',')) {
            const uint64_t bits = std::stoull(word);
            for (int bit = 0; bit < 32; ++bit) {
                if (bits & (uint64_t(1) << bit)) {
                    const char* name = TokenTypeName(index * 32 + bit);
                    members.insert(name ? name : "?");
                }
            }
            ++index;
        }
        sets[std::stoi((*it)[1].str())] = members;
    }
    return sets;
}

struct Expectations {
    std::map<std::string, std::vector<std::string>> groups;
    std::map<std::string, std::vector<std::string>> rules;

    TokenSet Expand(const std::vector<std::string>& words, int depth = 0) const
    {
        TokenSet out;
        for (const std::string& w : words) {
            if (w.size() > 1 && w[0] == '@' && depth < 10) {
                const TokenSet inner = Expand(groups.at(w.substr(1)), depth + 1);
                out.insert(inner.begin(), inner.end());
            } else {
                out.insert(w);
            }
        }
        return out;
    }
};

Expectations ReadExpectations(const char* path)
{
    Expectations e;
    std::istringstream in(ReadFile(path));
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string head;
        if (!(words >> head))
            continue;
        std::vector<std::string> members;
        std::string w;
        if (head[0] == '@') {
            words >> w; // "="
            while (words >> w)
                members.push_back(w);
            e.groups[head.substr(1)] = members;
        } else {
            head.pop_back(); // ":"
            while (words >> w)
                members.push_back(w);
            e.rules[head] = members;
        }
    }
    return e;
}

std::string Join(const TokenSet& set)
{
    std::string text;
    for (const std::string& s : set)
        text += s + " ";
    return text;
}

} // namespace

TEST(RecoverySets, EveryRuleRecoversAtTheListedTokens)
{
    const std::string source = ReadFile(KESTRIN_GENERATED_PARSER);
    ASSERT_FALSE(source.empty()) << "generated parser not found at " << KESTRIN_GENERATED_PARSER;
    const auto rules = RecoveryOfEachRule(source);
    const auto sets = TokenSetsOf(source);
    const Expectations expected = ReadExpectations(KESTRIN_RECOVERY_SETS);
    ASSERT_GT(expected.rules.size(), 100u);
    EXPECT_EQ(sets.size(), 163u);

    for (const auto& [rule, members] : expected.rules) {
        SCOPED_TRACE(rule);
        auto found = rules.find(rule);
        ASSERT_NE(found, rules.end()) << "no such rule in the generated parser";
        if (members == std::vector<std::string> {"-"}) {
            EXPECT_EQ(found->second, -1) << "expected no recovery of its own";
            continue;
        }
        ASSERT_NE(found->second, -1) << "the rule has no recovery of its own";
        const TokenSet want = expected.Expand(members);
        const TokenSet& got = sets.at(found->second);
        TokenSet missing, extra;
        for (const auto& t : want)
            if (!got.count(t))
                missing.insert(t);
        for (const auto& t : got)
            if (!want.count(t))
                extra.insert(t);
        EXPECT_TRUE(missing.empty() && extra.empty())
            << "missing: " << Join(missing) << "\nextra: " << Join(extra);
    }
}

TEST(RecoverySets, EveryCalledRuleIsListed)
{
    const auto rules = RecoveryOfEachRule(ReadFile(KESTRIN_GENERATED_PARSER));
    const Expectations expected = ReadExpectations(KESTRIN_RECOVERY_SETS);
    // Only the rules that exist to shape other rules' sets may be left out.
    const std::set<std::string> unlisted = {"decl_specifier_word_run", "assignment_with_operator",
        "template_value_argument_list", "template_value_parameter_default"};
    for (const auto& [rule, set] : rules) {
        if (!unlisted.count(rule)) {
            EXPECT_TRUE(expected.rules.count(rule)) << rule;
        }
    }
}
