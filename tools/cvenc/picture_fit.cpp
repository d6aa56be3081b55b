#include "cvenc/picture_fit.h"

namespace {

Expression Call(const char* function, const Expression& a) {
    return Expression(std::string(function) + "(" + a.Text() + ")");
}

Expression Call(const char* function, const Expression& a, const Expression& b) {
    return Expression(std::string(function) + "(" + a.Text() + "," + b.Text() + ")");
}

// Every operation in parentheses: FFmpeg then reads the terms in the order they were built.
Expression Operate(const Expression& a, char operation, const Expression& b) {
    return Expression("(" + a.Text() + operation + b.Text() + ")");
}

}  // namespace

Expression operator-(const Expression& a, const Expression& b) { return Operate(a, '-', b); }
Expression operator*(const Expression& a, const Expression& b) { return Operate(a, '*', b); }
Expression operator/(const Expression& a, const Expression& b) { return Operate(a, '/', b); }
Expression operator>(const Expression& a, const Expression& b) { return Call("gt", a, b); }
Expression operator<=(const Expression& a, const Expression& b) { return Call("lte", a, b); }
Expression Abs(const Expression& value) { return Call("abs", value); }
Expression Min(const Expression& a, const Expression& b) { return Call("min", a, b); }
Expression Max(const Expression& a, const Expression& b) { return Call("max", a, b); }
Expression Round(const Expression& value) { return Call("round", value); }
Expression Floor(const Expression& value) { return Call("floor", value); }

Expression Choose(const Expression& condition, const Expression& yes, const Expression& no) {
    return Expression("if(" + condition.Text() + "," + yes.Text() + "," + no.Text() + ")");
}

std::string FitFilter(const DisplayArea& area) {
    // FFmpeg's scale filter knows the picture that reaches it: iw, ih and sar
    // (which it gives as 1 for an unknown sample aspect).
    const PictureSize<Expression> picture = FitPicture(Expression("iw"), Expression("ih"), Expression("sar"), area);
    const Expression width(area.width);
    const Expression height(area.height);
    // Quoted, as the expressions hold commas; pad's iw and ih are the scaled picture.
    return "scale=w='" + picture.width.Text() + "':h='" + picture.height.Text() + "',pad=w=" + width.Text() +
           ":h=" + height.Text() + ":x='" + LeadingBar(width, Expression("iw")).Text() + "':y='" +
           LeadingBar(height, Expression("ih")).Text() + "':color=black,setsar=1";
}

std::string BoundFilter(int width, int height) {
    const PictureSize<Expression> picture = BoundPicture(Expression("iw"), Expression("ih"), width, height);
    return "scale=w='" + picture.width.Text() + "':h='" + picture.height.Text() + "'";
}
