// The row runners of the unit tables: each row names its input, and a failure shows got against expected.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

// What f gives for each row's input against what it should give.
template <class Out = std::string, class In = const char*, class F>
void eachRow(F f, std::initializer_list<std::pair<In, Out>> rows)
{
    for (const auto& [in, want] : rows) EXPECT_EQ(Out(f(in)), want) << "input \"" << in << '"';
}

// A rule that fills a text and says whether it took its input: each row gives that text, "-" where it refused.
template <class Rule> void eachFilled(Rule rule, std::initializer_list<std::pair<std::string, std::string>> rows)
{
    eachRow<std::string, std::string>([rule](const std::string& in) {
        std::string out;
        return rule(in.c_str(), out) ? out : std::string("-");
    }, rows);
}
