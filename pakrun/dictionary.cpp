#include "pakrun/dictionary.h"

namespace pakrun {

Dictionary::Dictionary() : bytes_{} { positions_[0] = PositionSet::all(); }

}  // namespace pakrun
