#include "../blit_target.h"

namespace paintbench {

bool OpenTarget(int, int) { return false; }
void BlitToTarget(const fw::TBitmap&, int, int) {}
void CloseTarget() {}

}  // namespace paintbench
