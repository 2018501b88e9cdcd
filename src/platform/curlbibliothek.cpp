#include "platform/curlbibliothek.h"

#include <QDebug>

#include <dlfcn.h>

namespace kav {

namespace {

template <class F>
bool holen(void* bibliothek, const char* name, F& ziel)
{
    ziel = reinterpret_cast<F>(dlsym(bibliothek, name));
    return ziel != nullptr;
}

CurlBibliothek* laden()
{
    void* b = nullptr;
    for (const char* name : {"libcurl.so.4", "libcurl.so"})
        if ((b = dlopen(name, RTLD_NOW | RTLD_LOCAL)))
            break;
    if (!b) {
        qWarning().noquote() << QStringLiteral("libcurl nicht ladbar:") << QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    static CurlBibliothek c;
    const bool ok = holen(b, "curl_global_init", c.global_init) && holen(b, "curl_easy_init", c.easy_init)
                    && holen(b, "curl_easy_setopt", c.easy_setopt) && holen(b, "curl_easy_getinfo", c.easy_getinfo)
                    && holen(b, "curl_easy_cleanup", c.easy_cleanup) && holen(b, "curl_easy_strerror", c.easy_strerror)
                    && holen(b, "curl_multi_init", c.multi_init)
                    && holen(b, "curl_multi_add_handle", c.multi_add_handle)
                    && holen(b, "curl_multi_perform", c.multi_perform) && holen(b, "curl_multi_poll", c.multi_poll)
                    && holen(b, "curl_multi_info_read", c.multi_info_read)
                    && holen(b, "curl_multi_remove_handle", c.multi_remove_handle)
                    && holen(b, "curl_multi_cleanup", c.multi_cleanup) && holen(b, "curl_slist_append", c.slist_append)
                    && holen(b, "curl_slist_free_all", c.slist_free_all);
    if (!ok || c.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        qWarning().noquote() << QStringLiteral("libcurl unvollständig oder nicht startbar");
        return nullptr;
    }
    return &c;
}

} // namespace

const CurlBibliothek* curlBibliothek()
{
    static CurlBibliothek* const c = laden(); // once, also when threads ask at the same time
    return c;
}

} // namespace kav
