#pragma once

#include <curl/curl.h>

#include <utility>

// Move-only owners of libcurl's handles. Internal to the notices library.
namespace qytxt::notices::curl {

template <typename Handle, void (*Release)(Handle*)> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle* handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle* get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != nullptr; }
    Handle* release() noexcept { return std::exchange(m_handle, nullptr); }
    void reset(Handle* handle = nullptr) noexcept
    {
        if (m_handle)
            Release(m_handle);
        m_handle = handle;
    }

private:
    Handle* m_handle = nullptr;
};

namespace detail {
inline void releaseEasy(CURL* handle)
{
    curl_easy_cleanup(handle);
}
inline void releaseMulti(CURLM* handle)
{
    curl_multi_cleanup(handle);
}
inline void releaseList(curl_slist* list)
{
    curl_slist_free_all(list);
}
} // namespace detail

using Easy = UniqueHandle<CURL, detail::releaseEasy>;
using Multi = UniqueHandle<CURLM, detail::releaseMulti>;

// A header list; append() keeps the list intact when it fails.
class HeaderList {
public:
    bool append(const char* header)
    {
        curl_slist* grown = curl_slist_append(m_list.get(), header);
        if (!grown)
            return false;
        m_list.release();
        m_list.reset(grown);
        return true;
    }
    curl_slist* get() const noexcept { return m_list.get(); }

private:
    UniqueHandle<curl_slist, detail::releaseList> m_list;
};

} // namespace qytxt::notices::curl
