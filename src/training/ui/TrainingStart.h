#pragma once
// The training modes' starts and the quiz's compact options, registered
// with the document windows once at start.

void RegisterTrainingModes();
