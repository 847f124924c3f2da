// wrapPhase: brings a phase difference into -pi..pi by removing an even
// multiple of pi, as the analysis of the pitch stage needs it.
//
// Any thread; pure function.
#pragma once

// Returns false and leaves d alone when d is not finite (or so large that its
// quotient by pi would not fit a 32-bit integer): such a value must never be
// converted to an integer.
bool wrapPhase(double& d);
