# English help texts (UK and the marine edition).
UI = {
    "computes": "What it calculates", "inputs": "Inputs", "back": "Contents",
    "intro": "VELTARO sizes and checks technical insulation of pipes, ducts and flat surfaces with "
             "Torvelin products. Choose a calculation from the menu or click its title on the start picture.",
    "limits": "Limits of the inputs",
    "limits_intro": "Calculate first checks the inputs. Each input that is missing or outside its limits "
                    "is listed with one of these lines, and nothing is calculated until it is corrected:",
    "results": "Results",
    "report": "Use Print preview for a report of the inputs and results.",
    "messages": "When there is no result",
}
THICKNESS = " The thickness is rounded to whole millimetres."
CALC = {
    1: "The heat loss and the outer surface temperature of a pipe or a flat surface with a chosen insulation "
       "thickness. With energy savings switched on it also gives the loss of the bare object and the yearly "
       "saving.",
    2: "The insulation thickness that gives a required surface temperature, and the heat loss at that "
       "thickness. The thickness is found by iteration and rounded to whole millimetres, so the surface "
       "temperature at the shown thickness can differ slightly from the required one.",
    3: "The insulation thickness at which the heat loss meets a required value, and the surface temperature at "
       "that thickness. The thickness is found by iteration and rounded to whole millimetres, so the heat loss "
       "at the shown thickness can end slightly above the requirement.",
    4: "The insulation thickness that meets a national insulation class, chosen directly or derived from the "
       "operating time and the waste factor, with the heat loss and the surface temperature." + THICKNESS,
    5: "The insulation thickness at which the outer surface of a cold pipe or surface just reaches the dew "
       "point of the surrounding air. A pipe counts as found when its surface lies within 0.5 K of the dew "
       "point; after the pass limit within 2 K, or 5 cm from the target thickness, without a message. A flat "
       "surface counts within 0.05 K. The thickness is rounded to whole millimetres, so the surface can lie "
       "slightly below the dew point: add your own margin against condensation.",
    6: "The insulation thickness at which the inner wall of a pipe or duct carrying a flowing moist medium is "
       "at the medium's dew point. The required conductance is met within 1/1000 and the thickness rounded to "
       "whole millimetres; add your own margin. \"<= 0 !\" means no insulation is needed, and the bare heat "
       "loss is shown.",
    7: "The temperature change of air or flue gas along a round ventilation duct: the start or end temperature "
       "for a typed insulation thickness, or the thickness that gives a required end temperature, rounded to "
       "whole millimetres.",
    21: "The heat loss, the temperatures between the layers and the surface temperature of two to six layers "
        "of different products with given thicknesses.",
    22: "The layer thicknesses that meet required temperatures between the layers and a required surface "
        "temperature." + THICKNESS,
    23: "The layer thicknesses that meet required temperatures between the layers and a required heat loss. "
        "The thicknesses are found by iteration and rounded to whole millimetres, so the heat loss can end "
        "slightly above the requirement.",
    24: "The heat loss before and after adding one new outer layer to an existing insulation, the new "
        "temperatures and, with energy savings switched on, the yearly saving.",
}
# The marine edition has no energy savings.
CALC_MARINE = {
    1: "The heat loss and the outer surface temperature of a pipe or a flat surface with a chosen insulation "
       "thickness.",
    24: "The heat loss before and after adding one new outer layer to an existing insulation, and the new "
        "temperatures.",
}
INPUT = {
    "geometry": "Pipe (outer diameter in mm, chosen from the list or typed) or flat surface (height in mm).",
    ("geometry", 7): "The outer diameter of the round duct in mm.",
    "location": "Indoors or outdoors. Outdoors the wind speed is used.",
    "orientation": "Horizontal or vertical pipe or surface; it decides the free convection.",
    ("orientation", 7): "Horizontal or vertical duct; it decides the free convection.",
    "medium_temp": "Temperature of the medium inside the pipe or behind the surface, in °C.",
    "ambient": "Temperature of the surrounding air, in °C.",
    "wind": "Wind speed outdoors, in m/s.",
    "emissivity": "Emissivity of the outer surface (cladding); it decides the heat radiated.",
    "product": "The Torvelin insulation product; its conductivity depends on the mean temperature.",
    "thickness": "Insulation thickness in mm, chosen from the product's thicknesses.",
    ("thickness", 7): "Insulation thickness in mm, typed; only where the calculation type uses it.",
    "req_surface": "The surface temperature to be reached, in °C.",
    "req_heatloss": "The required heat loss, in W/m for a pipe or W/m² for a surface.",
    "method": "Either an insulation class chosen from the list, or the operating hours per year and the "
              "waste factor from which the class is derived.",
    "humidity": "Relative humidity of the surrounding air, in %.",
    "velocity": "Speed of the medium inside the pipe, in m/s.",
    "medium_humidity": "Relative humidity of the medium, in %.",
    "inner_dia": "Inner diameter of the pipe, in mm.",
    "constant": "Material constant of the medium, used for the heat transfer on the inside.",
    "calc_type": "What is unknown: the insulation thickness, the start temperature or the end temperature.",
    "medium": "Air or flue gas in the duct.",
    "flow": "Flow of the medium in the chosen unit (kg/s, l/h, l/s, m³/h or m/s).",
    "length": "Length of the duct in m.",
    "start_end": "Temperature of the medium where it enters and where it leaves the duct, in °C.",
    "layers": "Number of layers, 2 to 6, counted from the medium outwards; each layer has its own product.",
    "interfaces": "Temperatures between the layers, in °C; with required values they limit each product.",
    "existing": "The existing insulation: product, thickness and the emissivity of its surface.",
    "new": "The new outer layer: product, thickness and the emissivity of its surface.",
    "savings": "Pipe length or surface area, the emissivity of the bare object, energy unit and price, and "
               "operating hours per year.",
    ("savings", 24): "Pipe length or surface area, energy unit and price, and operating hours per year.",
}
RESULT = {
    102: "The insulation thickness found, in whole millimetres.",
    113: "The outer surface temperature, in °C.",
    115: "The heat loss through the insulation, in W/m or W/m².",
    114: "The heat loss of the bare object.",
    116: "The yearly saving of the insulation, in the chosen energy unit and price.",
    120: "The dew point of the surrounding air, in °C.",
    169: "The heat loss, in W/m or W/m².",
    206: "The medium's temperature where it enters the duct, in °C.",
    207: "The medium's temperature where it leaves the duct, in °C.",
    125: "The temperatures between the layers, in °C.",
    131: "The heat loss with the existing insulation.",
    132: "The heat loss with the new layer added.",
    133: "The yearly saving of the new layer.",
}
MESSAGE = {
    "nonconv": "The calculation found no stable result within its pass limit; the results are cleared.",
    "over1000": "Shown in the thickness box: the thickness needed is above 1000 mm; the other results are "
                "cleared.",
    "< 0 !": "Shown in the thickness box: the requirement is met without insulation (a negative thickness); "
             "the other results are cleared.",
    "<= 0 !": "Shown in the thickness box: no insulation is needed; the heat loss of the bare pipe is shown.",
    "limits": "A temperature lies outside the product's limits; the results are kept.",
    "saving_too_large": "The yearly saving lies beyond what can be computed; check the savings inputs. The heat-loss results are kept.",
    "none_needed": "No insulation is needed against condensation inside.",
    "section": "The pipe section is not made for this diameter and thickness.",
}
