// Platform: the processor's vector state cleared after wide instructions.
#pragma once

// Clears the upper halves of the processor's vector registers. Code built for
// the wide vector instructions that leaves them in use (the windowing
// toolkit's drawing does) makes every older SSE instruction that follows
// wait on them: the maths library's pow and exp, which the growth model
// calls for every day, run several times slower in a thread that inherited
// or met such a state. A no-op where the processor has no such registers.
void ClearUpperVectorState();
