#include "app/ResourceBundle.h"

#include <QtGlobal>

void RegisterResourceBundle()
{
    Q_INIT_RESOURCE(korvane_page);
}
