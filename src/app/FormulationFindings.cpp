#include "app/FormulationFindings.h"

#include "app/App.h"
#include "formulation/ConflictMarks.h"

void FollowFormulation(App& app) {
  MarkConflictingRestrictions(app.restrictForm, *app.formulationState);
  app.sensitivityForm.Follow();
}
