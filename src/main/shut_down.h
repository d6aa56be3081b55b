#pragma once

// What happens at the end of a run when the user asked for the computer to be
// shut down. Tests put in their own, so that no test ever ends the machine.
class IShutDown {
public:
    virtual ~IShutDown() = default;
    virtual void ShutDownComputer() = 0;
};

// Powers the computer off, forcing only programs that hang: any other program
// may still ask its user to save. Without the shutdown privilege the user is
// told that the computer cannot shut down.
class CSystemShutDown : public IShutDown {
public:
    void ShutDownComputer() override;
};
