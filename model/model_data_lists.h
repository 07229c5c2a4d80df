#pragma once

#include <string>

namespace skarnel {

// Where the model procedures put what they find besides the job log: the Menu Data view's
// " [ PC ] " list (each file written) and its " [ Controller ] " list (each model memory seen).
// Called from the job's thread; each call returns once the receiver has taken the row.
class ModelDataLists {
public:
    virtual ~ModelDataLists() = default;

    virtual void AddPcFile(const std::string& path) = 0;
    virtual void AddControllerModel(const std::string& text) = 0;
};

}  // namespace skarnel
