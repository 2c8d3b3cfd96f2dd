#include "platform/UserId.h"

#include <unistd.h>

QString Current_User_Id() {
    return QString::number(qulonglong(::getuid()));
}
