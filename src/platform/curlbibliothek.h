#pragma once
// libcurl, loaded when the first FTP connection needs it rather than when the program starts: the
// libraries it brings along (TLS, Kerberos, LDAP, SSH and more) cost every start some 12 ms while
// only the data update uses them.
#include <curl/curl.h>

namespace kav {

struct CurlBibliothek {
    decltype(&::curl_global_init) global_init;
    decltype(&::curl_easy_init) easy_init;
    decltype(&::curl_easy_setopt) easy_setopt;
    decltype(&::curl_easy_getinfo) easy_getinfo;
    decltype(&::curl_easy_cleanup) easy_cleanup;
    decltype(&::curl_easy_strerror) easy_strerror;
    decltype(&::curl_multi_init) multi_init;
    decltype(&::curl_multi_add_handle) multi_add_handle;
    decltype(&::curl_multi_perform) multi_perform;
    decltype(&::curl_multi_poll) multi_poll;
    decltype(&::curl_multi_info_read) multi_info_read;
    decltype(&::curl_multi_remove_handle) multi_remove_handle;
    decltype(&::curl_multi_cleanup) multi_cleanup;
    decltype(&::curl_slist_append) slist_append;
    decltype(&::curl_slist_free_all) slist_free_all;
};

// The library, loaded and initialised once (thread-safe); nullptr when it cannot be loaded.
const CurlBibliothek* curlBibliothek();

} // namespace kav
