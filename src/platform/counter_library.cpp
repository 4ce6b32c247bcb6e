/** @file counter_library.cpp The external library that advances the call-on buttons' use counters. */
#include "platform/counter_library.h"

#include "platform/cp1250.h"
#include "platform/files.h"
#include "ui/sim_error.h"

#include <QFile>

#include <dlfcn.h>

namespace platform {

CounterLibrary::~CounterLibrary()
{
    unload();
}

void CounterLibrary::load(const QString &dataDir)
{
    const QString path = resolvePath(dataDir + QStringLiteral("/Data/Lib/mavex.so"));
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw ui::SimError(QStringLiteral("Knihovnu nelze načíst: %1").arg(path));
    void *symbol = dlsym(handle, "A");
    if (!symbol) {
        dlclose(handle);
        throw ui::SimError(QStringLiteral("V knihovně %1 chybí funkce A").arg(path));
    }
    unload();
    m_handle = handle;
    m_function = reinterpret_cast<CounterFunction>(symbol);
    m_path = path;
}

QString CounterLibrary::call(const QString &counterText) const
{
    if (!m_function)
        throw ui::SimError(QStringLiteral("Knihovna počítadel není načtena"));
    const QByteArray argument = encodeCp1250(counterText);
    const char *result = m_function(argument.constData());
    if (!result)
        throw ui::SimError(QStringLiteral("Funkce A knihovny %1 nevrátila text").arg(m_path));
    /* The text belongs to the library and may change on the next call: copy it now, at most
       MaxResultLength characters of it, so that a text without its end cannot run on. */
    return decodeCp1250(QByteArray(result, static_cast<int>(qstrnlen(result, MaxResultLength))));
}

void CounterLibrary::unload()
{
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
    m_function = nullptr;
    m_path.clear();
}

} // namespace platform
