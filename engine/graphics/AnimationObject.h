#pragma once

class CAnimo6;
class CPlayable;

// A script object that shows an animation, as the sequences that play it reach it: they find
// it by name in the running scene. The script's objects live above the pictures; the ANIMO
// object implements this.
class AnimationObject {
public:
    virtual CAnimo6* getAnimo() const = 0;
    // The sequence plays this object's animation; it is told when the object goes.
    virtual void addSeq(CPlayable* sequence) = 0;
    virtual void removeSeq(CPlayable* sequence) = 0;

protected:
    ~AnimationObject() = default;
};
