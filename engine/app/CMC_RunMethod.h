#pragma once

class CMC_Object;
class CMC_ObjectsContainer;
class CMC_Runner;
class CXVector;

// RUN(object, method, arguments...) of SCENE and APPLICATION: the object is looked up from
// the container. A BEHAVIOUR asked for "RUN" or "RUNC" runs with the further arguments' texts
// as its parameters (RUNC checks its condition first), the caller given as the one that runs
// it; any other method is called through the object's runner with the further arguments as
// they are, in the container's scope. None without an object, without a runner, or with
// fewer than two arguments. `reader` reads the arguments; `anyCase` lets "run" and "runC"
// match in any letter case.
CMC_Object* runMethodOf(CMC_Runner& reader, CXVector* args, CMC_ObjectsContainer* container, CMC_Object* caller,
                        bool anyCase);
