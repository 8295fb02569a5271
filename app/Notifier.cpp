#include "app/Notifier.h"

namespace pelmar {

Notifier notifier;

}  // namespace pelmar
