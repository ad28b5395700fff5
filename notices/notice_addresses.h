#pragma once

#include <string>

namespace qytxt::notices {

// Where the notice page and the connectivity check live. Plain ASCII URLs.
struct NoticeAddresses {
    std::string noticePage;
    std::string connectivityPage;
};

// The program's only notice and connectivity addresses. They are constants on purpose: nothing
// from outside the program (configuration, environment, arguments) can point it elsewhere.
NoticeAddresses defaultNoticeAddresses();

} // namespace qytxt::notices
