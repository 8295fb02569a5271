#include "app/SharedState.h"

namespace pelmar {

SharedState sharedState;

}  // namespace pelmar
