#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

namespace qytxt::testing {

// A row of a table-driven test, known by its name.
struct NamedCase {
    const char* name;
};

// Prints a row by its name instead of dumping its bytes.
template <class Case>
requires std::derived_from<Case, NamedCase>
void PrintTo(const Case& row, std::ostream* out)
{
    *out << row.name;
}

// Names each instantiated test after its row.
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& row) const
    {
        return row.param.name;
    }
};

} // namespace qytxt::testing
