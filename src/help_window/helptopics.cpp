// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window/helptopics.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Every help text, line by line. The blanks at the end of some lines and the empty lines
// belong to the texts.
QStringList helpLines(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::Introduction:
        return {
            u"Ce programme vous permet de créer un curriculum vitae"_s,
            u"en une page html"_s,
            u"Vous pourrez une fois créé, le mettre sur un site, il devient"_s,
            u"consultable par l'ensemble de la planète."_s,
            u"Pour l'utiliser il suffit de remplir tous les champs et"_s,
            u"de cliquer sur les différents boutons de page et de les remplir."_s,
        };
    case HelpTopic::Photo:
        return {
            u"Vous recherchez une photo de vous elle peut être en bmp, "_s,
            u"jpg ou en gif elle peut être aussi un logo en gif animé."_s,
            u"La photo ou le logo doit être recherche au niveau du disque dur"_s,
            u"puis des répertoires. Si vous ne choisissez rien le logo par"_s,
            u"défaut sera mis"_s,
            QString(),
        };
    case HelpTopic::Fields:
        return {
            u"A ces emplacements vous remplissez les champs"_s,
            u"Vous n'êtes pas obligé de remplir tous les champs "_s,
            u"les champs vides ne seront pas mis ni leurs appellations."_s,
        };
    case HelpTopic::Sections:
        return {
            u"Vous avez cinq boutons "_s,
            u"-Présentation"_s,
            u"-Expériences"_s,
            u"-Formations"_s,
            u"-Centres d'intérêt"_s,
            u"-Divers"_s,
            QString(),
            u"Chaque bouton vous dévoile une page blanche que "_s,
            u"vous remplissez par un copier coller."_s,
            u"Ne vous occuper pas de la taille, sur la page HTML "_s,
            u"il y a des ascenseurs pour accéder au bas du texte "_s,
            u"si il dépasse la hauteur de la fenêtre."_s,
            QString(),
            QString(),
        };
    case HelpTopic::PageCreation:
        return {
            u"Après avoir cliqué sur création de la page"_s,
            u"Vous choisirez le chemin ou vous voudrez "_s,
            u"que soit créé votre page HTML."_s,
            u"Puis vous validerez par suivant."_s,
            QString(),
            u"Le résultat est normalement affiché avec"_s,
            u"Microsoft internet explorer"_s,
            u"Si le résultat vous satisfait"_s,
            u"vous pouvez quitter l'application"_s,
            u"sinon vous cliquerez sur Refaire"_s,
            u"Vous pouvez ainsi le peaufiner."_s,
        };
    }
    return {};
}

} // namespace

QString helpText(HelpTopic topic)
{
    return helpLines(topic).join(u'\r');
}
