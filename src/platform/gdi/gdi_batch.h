// GDI may hold drawing calls in a batch and carry them out later, so the
// memory of a DIB section is safe to touch only once the batch is flushed.
// A flush is a call into the system every time, even with nothing batched
// (under Wine a trip to the graphics driver), and a frame touches memory
// hundreds of times: so every GDI call that may draw notes it, and the flush
// before touching memory happens only when one did since the last flush.
#pragma once

// After any GDI call that may draw, on whatever device context.
void keslGdiMayHaveDrawn();
// Before reading or writing a DIB section's memory.
void keslGdiSettle();
