#pragma once

#include "core/text.h"

#include <vector>

namespace qytxt::merge {

// The ordered input files of a merge with the current (selected) entry, and the operations of the
// buttons beside the list. Indexes are 0-based; -1 means no current entry.
class MergeList {
public:
    // List rules.
    core::Text entryText(int index) const; // empty outside the list
    int entryCount() const;
    int currentEntry() const { return m_current; }
    void setCurrentEntry(int index); // clamped: past the end selects the last, below -1 means none
    void replaceText(int index, const core::Text& text);
    void append(const core::Text& text);
    void insert(int index, const core::Text& text); // keeps the same entry current
    void remove(int index);
    const std::vector<core::Text>& entries() const { return m_entries; }

    // Button operations.
    void addAfter(const core::Text& path);
    void addBefore(const core::Text& path);
    void moveUp();
    void moveDown();
    void deleteEntry();
    void deleteAll();

    // Several paths at once, in the order given, where addAfter / addBefore puts one; the last one
    // inserted becomes current. A single path follows the rules for one.
    void addAllAfter(const std::vector<core::Text>& paths);
    void addAllBefore(const std::vector<core::Text>& paths);
    // The paths inserted from `index` on (the end when outside the list); the last becomes current.
    void insertAll(int index, const std::vector<core::Text>& paths);

private:
    std::vector<core::Text> m_entries;
    int m_current = -1;
};

} // namespace qytxt::merge
