#pragma once

#include <QFontDatabase>
#include <thread>

// Reads the desktop's font list on a thread of its own while the first page is built: the first
// text measured would otherwise wait for it on the user-interface thread, and it is the largest
// single cost of starting. The font database may be used from any thread.
class FontWarmUp
{
public:
    FontWarmUp() : m_thread([] { QFontDatabase::families(); }) {}
    ~FontWarmUp() { m_thread.join(); }
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread m_thread;
};
