#include "output/svg_writer.h"

#include "base/number_text.h"

namespace merid {
namespace {

// A tenth of a user unit is finer than any screen shows.
constexpr int kCoordinateDecimals = 1;

std::string coordinate(double value) {
  return fixed(value, kCoordinateDecimals);
}

std::string_view anchor_name(TextAnchor anchor) {
  switch (anchor) {
    case TextAnchor::kStart:
      return "start";
    case TextAnchor::kMiddle:
      return "middle";
    case TextAnchor::kEnd:
      break;
  }
  return "end";
}

// `text` with &, <, >, " and ' written as character references.
std::string xml_escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out.append("&amp;");
        break;
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '"':
        out.append("&quot;");
        break;
      case '\'':
        out.append("&apos;");
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace

SvgWriter::SvgWriter(double width, double height, std::string_view css) {
  const std::string w = coordinate(width);
  const std::string h = coordinate(height);
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out_ += concat({"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"", w,
                  "\" height=\"", h, "\" viewBox=\"0 0 ", w, " ", h,
                  "\">\n<style>\n", xml_escaped(css), "\n</style>\n"});
}

void SvgWriter::open_element(std::string_view name,
                             std::string_view css_class) {
  out_ += concat({"<", name});
  if (!css_class.empty()) {
    out_ += concat({" class=\"", xml_escaped(css_class), "\""});
  }
}

void SvgWriter::attribute(std::string_view name, double value) {
  out_ += concat({" ", name, "=\"", coordinate(value), "\""});
}

void SvgWriter::line(Point from, Point to, std::string_view css_class) {
  open_element("line", css_class);
  attribute("x1", from.x);
  attribute("y1", from.y);
  attribute("x2", to.x);
  attribute("y2", to.y);
  out_ += "/>\n";
}

void SvgWriter::polyline(std::span<const Point> points,
                         std::string_view css_class) {
  open_element("polyline", css_class);
  out_ += " points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) out_ += " ";
    out_ += concat({coordinate(points[i].x), ",", coordinate(points[i].y)});
  }
  out_ += "\"/>\n";
}

void SvgWriter::rect(Point corner, double width, double height,
                     std::string_view css_class) {
  open_element("rect", css_class);
  attribute("x", corner.x);
  attribute("y", corner.y);
  attribute("width", width);
  attribute("height", height);
  out_ += "/>\n";
}

void SvgWriter::text(Point at, std::string_view content,
                     std::string_view css_class, TextAnchor anchor) {
  open_element("text", css_class);
  attribute("x", at.x);
  attribute("y", at.y);
  if (anchor != TextAnchor::kStart) {
    out_ += " text-anchor=\"";
    out_ += anchor_name(anchor);
    out_ += "\"";
  }
  out_ += concat({">", xml_escaped(content), "</text>\n"});
}

void SvgWriter::vertical_text(Point at, std::string_view content,
                              std::string_view css_class) {
  open_element("text", css_class);
  out_ += concat({" text-anchor=\"middle\" transform=\"translate(",
                  coordinate(at.x), ",", coordinate(at.y), ") rotate(-90)\">",
                  xml_escaped(content), "</text>\n"});
}

void SvgWriter::begin_group(std::string_view css_class) {
  open_element("g", css_class);
  out_ += ">\n";
}

void SvgWriter::end_group() { out_ += "</g>\n"; }

std::string SvgWriter::finish() { return out_ + "</svg>\n"; }

void draw_title(SvgWriter& svg, double width,
                std::span<const std::string> lines) {
  const double first = lines.size() > 1 ? 20.0 : 28.0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    svg.text({width / 2.0, first + 18.0 * static_cast<double>(i)}, lines[i],
             "title", TextAnchor::kMiddle);
  }
}

}  // namespace merid
