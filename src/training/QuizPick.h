#pragma once
// Which entries a quiz asks: N drawn at random, or the marked rows.

#include "documents/AppSettings.h"
#include "training/RandomSource.h"

// min(count, used entries) different entries of `entries`, in rows of their
// own after a random cycle over the used rows; every other row is blank.
// False with fewer than two used entries: the message has been shown and
// `picked` is untouched, so no quiz starts.
bool PickRandomEntries(const VokabelArrayTyp& entries, int count, VokabelArrayTyp& picked,
                       RandomSource& random = ProgramRandom());

// The marked rows in ascending order, moved up to rows 1, 2, ...; the rest
// blank. With fewer than two marked rows a message says so and `picked` is
// a copy of all entries.
void PickMarkedEntries(const VokabelArrayTyp& entries, const MarkierungTyp& marks, VokabelArrayTyp& picked);
