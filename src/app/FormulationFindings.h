// App: what the last formulations found, marked where the user looks.
#pragma once

class App;

// What the last formulations found, shown where the user looks: the
// restrictions window marks every diet's conflicting restrictions, and the
// sensitivity tab shows its diet as now formulated. After "Run LP", a
// growth run (which may formulate) and when the restrictions window opens.
void FollowFormulation(App& app);
