#include "app/FormulationFindings.h"

#include "app/App.h"
#include "formulation/ConflictMarks.h"

void FollowFormulation(App& app) {
  MarkConflictingRestrictions(app.restrictionsForm, *app.formulationState);
  app.sensitivityForm.Follow();
}
