#include "FontWarmUp.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <fontconfig/fontconfig.h>

FontWarmUp::FontWarmUp()
    : m_thread([application = m_application.get_future()]() mutable {
          FcInit();
          if (!application.get())
              return;
          QFontDatabase::families();
          // Opening the font files themselves is shared between threads as well.
          QFont bold;
          bold.setBold(true);
          QFontMetrics(QFont()).height();
          QFontMetrics(bold).height();
      })
{
}

FontWarmUp::~FontWarmUp()
{
    finish();
}

void FontWarmUp::applicationReady()
{
    release(true);
}

void FontWarmUp::finish()
{
    release(false);
    if (m_thread.joinable())
        m_thread.join();
}

void FontWarmUp::release(bool applicationExists)
{
    if (m_released)
        return;
    m_released = true;
    m_application.set_value(applicationExists);
}
