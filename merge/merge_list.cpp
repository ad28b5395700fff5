#include "merge/merge_list.h"

#include <utility>

namespace qytxt::merge {

core::Text MergeList::entryText(int index) const
{
    if (index < 0 || index >= entryCount())
        return {};
    return m_entries[static_cast<std::size_t>(index)];
}

int MergeList::entryCount() const
{
    return static_cast<int>(m_entries.size());
}

void MergeList::setCurrentEntry(int index)
{
    const int last = entryCount() - 1;
    if (index > last)
        index = last;
    if (index < -1)
        index = -1;
    m_current = index;
}

// Entries are never empty: an empty text would end the entry count early and is not a path.
void MergeList::replaceText(int index, const core::Text& text)
{
    if (text.empty() || index < 0 || index >= entryCount())
        return;
    m_entries[static_cast<std::size_t>(index)] = text;
}

void MergeList::append(const core::Text& text)
{
    if (!text.empty())
        m_entries.push_back(text);
}

void MergeList::insert(int index, const core::Text& text)
{
    if (text.empty() || index < 0 || index > entryCount())
        return;
    m_entries.insert(m_entries.begin() + index, text);
    if (m_current >= index)
        ++m_current;
}

// Entries after the removed one move down, so the current index follows its entry; removing the
// current entry itself leaves none selected, as a list box does.
void MergeList::remove(int index)
{
    if (index < 0 || index >= entryCount())
        return;
    m_entries.erase(m_entries.begin() + index);
    if (m_current == index)
        m_current = -1;
    else if (m_current > index)
        --m_current;
}

void MergeList::addAfter(const core::Text& path)
{
    if (m_current < 0) {
        append(path);
        return;
    }
    if (path.empty())
        return;
    insert(m_current + 1, path);
    setCurrentEntry(m_current + 1);
}

void MergeList::addBefore(const core::Text& path)
{
    if (m_current < 0) {
        append(path);
        return;
    }
    if (path.empty())
        return;
    insert(m_current, path);
    setCurrentEntry(m_current - 1);
}

void MergeList::moveUp()
{
    const int s = m_current;
    if (s <= 0)
        return;
    std::swap(m_entries[static_cast<std::size_t>(s)], m_entries[static_cast<std::size_t>(s - 1)]);
    setCurrentEntry(s - 1);
}

void MergeList::moveDown()
{
    const int s = m_current;
    if (s < 0 || s >= entryCount() - 1)
        return;
    std::swap(m_entries[static_cast<std::size_t>(s)], m_entries[static_cast<std::size_t>(s + 1)]);
    setCurrentEntry(s + 1);
}

void MergeList::deleteEntry()
{
    const int s = m_current;
    remove(s);
    setCurrentEntry(s == 0 ? 0 : s - 1);
}

void MergeList::deleteAll()
{
    for (int n = entryCount(); n > 0; --n)
        remove(0);
    m_current = -1;
}

void MergeList::addAllAfter(const std::vector<core::Text>& paths)
{
    if (paths.size() == 1)
        addAfter(paths.front());
    else
        insertAll(m_current < 0 ? entryCount() : m_current + 1, paths);
}

// All go before the current entry, in their order, rather than each before the one added last.
void MergeList::addAllBefore(const std::vector<core::Text>& paths)
{
    if (paths.size() == 1)
        addBefore(paths.front());
    else
        insertAll(m_current < 0 ? entryCount() : m_current, paths);
}

void MergeList::insertAll(int index, const std::vector<core::Text>& paths)
{
    if (index < 0 || index > entryCount())
        index = entryCount();
    int last = -1;
    for (const core::Text& path : paths) {
        if (path.empty())
            continue;
        insert(index, path);
        last = index++;
    }
    if (last >= 0)
        setCurrentEntry(last);
}

} // namespace qytxt::merge
