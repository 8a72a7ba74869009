// Forbidden: formats is Qt-free.
#include <QString>
